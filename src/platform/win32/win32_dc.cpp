#include "win32_windows.h"

#include <new>

#include "platform/dc.h"
#include "platform/wnd.h"
#include "win32_scaled_fonts.h"

struct CDC::Native {
  HDC dc = nullptr;
  PAINTSTRUCT paint{};  // while painting
};

namespace {
HDC Dc(const CDC::Native* native) { return native != nullptr ? native->dc : nullptr; }
HWND Hwnd(CWnd* window) { return window != nullptr ? static_cast<HWND>(window->GetSafeHwnd()) : nullptr; }
}  // namespace

CPaintDC::CPaintDC(CWnd* window) {
  this->window = window;
  HWND hwnd = Hwnd(window);
  if (hwnd == nullptr) return;
  native = new (std::nothrow) Native;
  if (native == nullptr) {
    // Without a paint record the update region must still go, or WM_PAINT never stops.
    ValidateRect(hwnd, nullptr);
    return;
  }
  native->dc = BeginPaint(hwnd, &native->paint);
}

CPaintDC::~CPaintDC() {
  if (native == nullptr) return;
  EndPaint(Hwnd(window), &native->paint);
  delete native;
}

CWindowDC::CWindowDC(CWnd* window) {
  this->window = window;
  HWND hwnd = Hwnd(window);
  if (hwnd == nullptr) return;
  HDC dc = GetWindowDC(hwnd);
  if (dc == nullptr) return;
  native = new (std::nothrow) Native{dc, {}};
  if (native == nullptr) ReleaseDC(hwnd, dc);
}

CWindowDC::~CWindowDC() {
  if (native == nullptr) return;
  ReleaseDC(Hwnd(window), native->dc);
  delete native;
}

void* CDC::SelectStockFont(StockFont font, int32_t dpi) {
  if (Dc(native) == nullptr) return nullptr;
  HGDIOBJ chosen = win32::ScaledStockFont(font == StockFont::SystemFixed ? SYSTEM_FIXED_FONT : DEFAULT_GUI_FONT, dpi);
  if (chosen == nullptr) return nullptr;
  return SelectObject(Dc(native), chosen);
}

void CDC::RestoreFont(void* previous) {
  if (Dc(native) != nullptr && previous != nullptr) SelectObject(Dc(native), static_cast<HGDIOBJ>(previous));
}

void CDC::SetTransparentBackground() {
  if (Dc(native) != nullptr) SetBkMode(Dc(native), TRANSPARENT);
}

void CDC::SetBkColor(Color color) {
  if (Dc(native) != nullptr) ::SetBkColor(Dc(native), color);
}

void CDC::SetTextColor(Color color) {
  if (Dc(native) != nullptr) ::SetTextColor(Dc(native), color);
}

void CDC::FillSolidRect(const Rect& rect, Color color) {
  if (Dc(native) == nullptr) return;
  HBRUSH brush = CreateSolidBrush(color);
  if (brush == nullptr) return;
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  FillRect(Dc(native), &r, brush);
  DeleteObject(brush);
}

int32_t CDC::DrawText(const std::wstring& text, Rect& rect, uint32_t format) {
  if (Dc(native) == nullptr) return 0;
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  const int height = DrawTextW(Dc(native), text.c_str(), static_cast<int>(text.size()), &r, format);
  rect = {r.left, r.top, r.right, r.bottom};
  return height;
}
