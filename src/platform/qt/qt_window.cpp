#include "../frame_bitmap.h"
#include "../system.h"
#include "../win_constants.h"
#include "qt_world.h"

using qtb::Deliver;
using qtb::Find;
using qtb::NativeWindow;
using qtb::TheWorld;

std::wstring RegisterWindowClass(const WindowClass& windowClass) {
  std::wstring name = windowClass.name;
  if (name.empty()) {
    name = L"Afx:" + std::to_wstring(windowClass.style) + L":" + std::to_wstring(static_cast<int>(windowClass.brush)) +
           L":" + std::to_wstring(windowClass.icon);
  }
  TheWorld().classes.emplace(name, windowClass);
  return name;
}

CWnd* CWnd::FromHandle(WindowHandle handle) {
  NativeWindow* window = Find(handle);
  return window != nullptr ? window->object : nullptr;
}

bool CWnd::CreateEx(uint32_t exStyle, const std::wstring& className, const std::wstring& title, uint32_t style,
                    const Rect& rect, const void* param) {
  CreateStruct cs{exStyle, className, title, style, rect, param};
  if (hwnd != nullptr || !PreCreateWindow(cs)) return false;
  auto& world = TheWorld();
  const auto found = world.classes.find(cs.className);
  const WindowClass windowClass = found != world.classes.end() ? found->second : WindowClass{};
  auto* window = new NativeWindow(this, cs, windowClass);
  {
    std::lock_guard lock(world.mutex);
    world.windows.insert(window);
  }
  WindowHandle handle = window;
  Attach(handle);
  if (Deliver(handle, wm::kCreate, 0, reinterpret_cast<intptr_t>(&cs)) == -1) {
    CWnd::DestroyWindow();
    return false;
  }
  // The handler may have destroyed it already.
  window = Find(handle);
  if (window != nullptr && (cs.style & ws::kVisible) != 0 && !window->Revealed()) ShowWindow(sw::kShow);
  return true;
}

bool CWnd::DestroyWindow() {
  WindowHandle handle = hwnd;
  NativeWindow* window = Find(handle);
  if (window == nullptr) return false;
  Deliver(handle, wm::kDestroy, 0, 0);
  auto& world = TheWorld();
  {
    std::lock_guard lock(world.mutex);
    std::erase_if(world.timers, [&](const auto& timer) { return timer.window == window; });
    std::erase_if(world.queue, [&](const qtb::Queued& q) { return q.message.window == handle; });
    world.windows.erase(window);
  }
  window->Conceal();
  // A window destroyed from inside its own paint handler goes once that returns.
  if (window->painting) {
    window->deleteLater();
  } else {
    delete window;
  }
  Detach();
  PostNcDestroy();
  return true;
}

bool CWnd::ShowWindow(int command) {
  NativeWindow* window = Find(hwnd);
  if (window == nullptr) return false;
  const bool wasVisible = window->Revealed();
  if (command == sw::kHide) {
    window->Conceal();
  } else {
    window->Reveal();
  }
  return wasVisible;
}

bool CWnd::IsWindowVisible() const {
  NativeWindow* window = Find(hwnd);
  return window != nullptr && window->Revealed();
}

void CWnd::UpdateWindow() {
  NativeWindow* window = Find(hwnd);
  if (window != nullptr && window->needsPaint && window->isVisible()) window->repaint();
}

void CWnd::Invalidate() {
  NativeWindow* window = Find(hwnd);
  if (window == nullptr) return;
  window->needsPaint = true;
  window->update();
}

Rect CWnd::GetWindowRect() const {
  NativeWindow* window = Find(hwnd);
  std::lock_guard lock(TheWorld().mutex);
  return window != nullptr ? window->rect : Rect{};
}

Rect CWnd::GetClientRect() const {
  const Rect outer = GetWindowRect();
  return Rect{0, 0, outer.Width(), outer.Height()};
}

bool CWnd::SetWindowPos(ZOrder band, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  NativeWindow* window = Find(hwnd);
  if (window == nullptr) return false;
  Rect rect = GetWindowRect();
  if ((flags & swp::kNoMove) == 0) rect = Rect{x, y, x + rect.Width(), y + rect.Height()};
  if ((flags & swp::kNoSize) == 0) rect = Rect{rect.left, rect.top, rect.left + cx, rect.top + cy};
  window->Place(rect);
  if ((flags & swp::kNoZOrder) == 0 && band != ZOrder::Keep) window->SetStaysOnTop(band == ZOrder::TopMost);
  if ((flags & swp::kShowWindow) != 0) ShowWindow(sw::kShow);
  if ((flags & swp::kNoSize) == 0 && !window->IsLayered()) {
    window->needsPaint = true;
    window->update();
  }
  return true;
}

bool CWnd::PostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (Find(hwnd) == nullptr) return false;
  qtb::Post(hwnd, message, wParam, lParam);
  return true;
}

intptr_t CWnd::SendMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return Deliver(hwnd, message, wParam, lParam);
}

bool CWnd::SetTimer(uintptr_t id, uint32_t periodMs) {
  NativeWindow* window = Find(hwnd);
  if (window == nullptr) return false;
  KillTimer(id);
  std::lock_guard lock(TheWorld().mutex);
  TheWorld().timers.push_back({window, id, periodMs, platform::TimeGetTime() + periodMs});
  return true;
}

bool CWnd::KillTimer(uintptr_t id) {
  NativeWindow* window = Find(hwnd);
  if (window == nullptr) return false;
  std::lock_guard lock(TheWorld().mutex);
  return std::erase_if(TheWorld().timers, [&](const auto& t) { return t.window == window && t.id == id; }) > 0;
}

bool CWnd::SetLayeredAlpha(uint8_t alpha) {
  NativeWindow* window = Find(hwnd);
  if (window == nullptr || (window->exStyle & ws::kExLayered) == 0) return false;
  window->setWindowOpacity(alpha / 255.0);
  return true;
}

bool CWnd::UpdateLayeredWindow(Point topLeft, Size size, const FrameBitmap& source, Point from) {
  NativeWindow* window = Find(hwnd);
  const auto* image = static_cast<const QImage*>(source.NativeDc());
  if (window == nullptr || !window->IsLayered() || image == nullptr) return false;
  if (from.x < 0 || from.y < 0 || size.cx <= 0 || size.cy <= 0 || int64_t(from.x) + size.cx > source.Width() ||
      int64_t(from.y) + size.cy > source.Height()) {
    return false;
  }
  window->Place(Rect{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy});
  window->ShowLayered(qtb::FramePart{image, from.x, from.y, size.cx, size.cy});
  return true;
}
