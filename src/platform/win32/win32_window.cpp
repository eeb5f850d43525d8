#include "win32_windows.h"

#include "platform/wnd.h"
#include "win32_frame_bitmap.h"
#include "win32_window_proc.h"

using win32::Native;

CWnd* CWnd::FromHandle(WindowHandle handle) {
  HWND hwnd = Native(handle);
  if (hwnd == nullptr || !IsWindow(hwnd)) return nullptr;
  // Only our own windows keep a CWnd in their user data.
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != win32::WindowProcedure) return nullptr;
  return reinterpret_cast<CWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool CWnd::CreateEx(uint32_t exStyle, const std::wstring& className, const std::wstring& title, uint32_t style,
                    const Rect& rect, const void* param) {
  CreateStruct cs{exStyle, className, title, style, rect, param};
  // A second creation would leave the first window without its object.
  if (hwnd != nullptr || !PreCreateWindow(cs)) return false;
  const win32::CreationContext context{this, cs.param};
  // A refused creation destroys the window, and PostNcDestroy may delete
  // this object: only the local result is used after the call.
  HWND created = CreateWindowExW(cs.exStyle, cs.className.c_str(), cs.title.c_str(), cs.style, cs.rect.left,
                                 cs.rect.top, cs.rect.Width(), cs.rect.Height(), nullptr, nullptr,
                                 GetModuleHandleW(nullptr), const_cast<win32::CreationContext*>(&context));
  return created != nullptr;
}

bool CWnd::DestroyWindow() {
  if (hwnd == nullptr) return false;
  return ::DestroyWindow(Native(hwnd)) != FALSE;
}

bool CWnd::ShowWindow(int command) { return ::ShowWindow(Native(hwnd), command) != FALSE; }

bool CWnd::IsWindowVisible() const { return ::IsWindowVisible(Native(hwnd)) != FALSE; }

bool CWnd::IsIconic() const { return ::IsIconic(Native(hwnd)) != FALSE; }

bool CWnd::SetForegroundWindow() { return ::SetForegroundWindow(Native(hwnd)) != FALSE; }

void CWnd::UpdateWindow() { ::UpdateWindow(Native(hwnd)); }

void CWnd::Invalidate() { InvalidateRect(Native(hwnd), nullptr, TRUE); }

Rect CWnd::GetWindowRect() const {
  RECT r{};
  ::GetWindowRect(Native(hwnd), &r);
  return {r.left, r.top, r.right, r.bottom};
}

Rect CWnd::GetClientRect() const {
  RECT r{};
  ::GetClientRect(Native(hwnd), &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool CWnd::SetWindowPos(ZOrder band, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  HWND after = nullptr;
  if (band == ZOrder::TopMost) after = HWND_TOPMOST;
  if (band == ZOrder::NoTopMost) after = HWND_NOTOPMOST;
  return ::SetWindowPos(Native(hwnd), after, x, y, cx, cy, flags) != FALSE;
}

bool CWnd::PostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return PostMessageW(Native(hwnd), message, wParam, lParam) != FALSE;
}

intptr_t CWnd::SendMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return SendMessageW(Native(hwnd), message, wParam, lParam);
}

bool CWnd::SetTimer(uintptr_t id, uint32_t periodMs) {
  return ::SetTimer(Native(hwnd), id, periodMs, nullptr) != 0;
}

bool CWnd::KillTimer(uintptr_t id) { return ::KillTimer(Native(hwnd), id) != FALSE; }

bool CWnd::SetLayeredAlpha(uint8_t alpha) {
  return SetLayeredWindowAttributes(Native(hwnd), 0, alpha, LWA_ALPHA) != FALSE;
}

bool CWnd::UpdateLayeredWindow(Point topLeft, Size size, const FrameBitmap& source, Point from) {
  HDC sourceDc = source.GetNative() != nullptr ? source.GetNative()->dc : nullptr;
  if (hwnd == nullptr || sourceDc == nullptr) return false;
  POINT destination{topLeft.x, topLeft.y};
  SIZE extent{size.cx, size.cy};
  POINT origin{from.x, from.y};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  // No screen DC: it only chooses the palette, and getting one each frame
  // costs Wine a round of requests to its server.
  return ::UpdateLayeredWindow(Native(hwnd), nullptr, &destination, &extent, sourceDc, &origin, 0, &blend, ULW_ALPHA) !=
         FALSE;
}
