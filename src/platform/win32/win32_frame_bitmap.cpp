#include "win32_frame_bitmap.h"

#include <cstdint>
#include <new>

bool FrameBitmap::Create(int32_t newWidth, int32_t newHeight) {
  Destroy();
  if (newWidth <= 0 || newHeight <= 0) return false;
  if (uint64_t(newWidth) * uint64_t(newHeight) * 4 > uint64_t(INT32_MAX)) return false;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = newWidth;
  info.bmiHeader.biHeight = newHeight;  // positive: rows bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;

  void* pixels = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (dib == nullptr || pixels == nullptr) {
    if (dib != nullptr) DeleteObject(dib);
    return false;
  }
  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  HDC memory = CreateCompatibleDC(screen);
  if (screen != nullptr) ReleaseDC(desktop, screen);
  if (memory == nullptr) {
    DeleteObject(dib);
    return false;
  }
  auto* made = new (std::nothrow) Native{dib, nullptr, memory};
  HGDIOBJ old = made != nullptr ? SelectObject(memory, dib) : nullptr;
  if (old == nullptr || old == HGDI_ERROR) {
    delete made;
    DeleteDC(memory);
    DeleteObject(dib);
    return false;
  }
  made->previous = old;
  native = made;
  bits = static_cast<uint8_t*>(pixels);
  width = newWidth;
  height = newHeight;
  return true;
}

void FrameBitmap::Destroy() {
  if (native != nullptr) {
    SelectObject(native->dc, native->previous);
    DeleteObject(native->bitmap);
    DeleteDC(native->dc);
    delete native;
  }
  native = nullptr;
  bits = nullptr;
  width = 0;
  height = 0;
}

// Bottom-up, as a DIB section with a positive height lies.
uint8_t* FrameBitmap::Row(int32_t y) const { return bits + size_t(height - 1 - y) * size_t(width) * 4; }
