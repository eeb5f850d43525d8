#include <windows.h>

#include <cstdint>

#include "platform/frame_bitmap.h"

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
  HGDIOBJ old = SelectObject(memory, dib);
  if (old == nullptr || old == HGDI_ERROR) {
    DeleteDC(memory);
    DeleteObject(dib);
    return false;
  }
  bitmap = dib;
  previous = old;
  dc = memory;
  bits = static_cast<uint8_t*>(pixels);
  width = newWidth;
  height = newHeight;
  return true;
}

void FrameBitmap::Destroy() {
  if (bitmap != nullptr) {
    SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(previous));
    DeleteObject(static_cast<HBITMAP>(bitmap));
    DeleteDC(static_cast<HDC>(dc));
  }
  bitmap = nullptr;
  previous = nullptr;
  dc = nullptr;
  bits = nullptr;
  width = 0;
  height = 0;
}

// Bottom-up, as a DIB section with a positive height lies.
uint8_t* FrameBitmap::Row(int32_t y) const { return bits + size_t(height - 1 - y) * size_t(width) * 4; }
