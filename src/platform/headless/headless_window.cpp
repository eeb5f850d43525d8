#include <algorithm>

#include "../frame_bitmap.h"
#include "../win_constants.h"
#include "headless_world.h"

using headless::detail::Deliver;
using headless::detail::Find;
using headless::detail::TheWorld;
using headless::detail::Window;

std::wstring RegisterWindowClass(const WindowClass& windowClass) {
  if (!windowClass.name.empty()) return windowClass.name;
  return L"Afx:" + std::to_wstring(windowClass.style) + L":" + std::to_wstring(static_cast<int>(windowClass.brush)) +
         L":" + std::to_wstring(windowClass.icon);
}

CWnd* CWnd::FromHandle(WindowHandle handle) {
  Window* window = Find(handle);
  return window != nullptr ? window->object : nullptr;
}

bool CWnd::CreateEx(uint32_t exStyle, const std::wstring& className, const std::wstring& title, uint32_t style,
                    const Rect& rect, const void* param) {
  CreateStruct cs{exStyle, className, title, style, rect, param};
  if (hwnd != nullptr || !PreCreateWindow(cs)) return false;
  if (headless::detail::Refused(headless::Resource::Window)) return false;
  auto& world = TheWorld();
  auto window = std::make_unique<Window>();
  window->object = this;
  window->state.className = cs.className;
  window->state.title = cs.title;
  window->state.style = cs.style;
  window->state.exStyle = cs.exStyle;
  window->state.rect = cs.rect;
  window->state.visible = (cs.style & ws::kVisible) != 0;
  window->needsPaint = window->state.visible;
  WindowHandle handle = window.get();
  {
    std::lock_guard lock(world.mutex);
    world.windows.push_back(std::move(window));
  }
  Attach(handle);
  if (Deliver(handle, wm::kCreate, 0, reinterpret_cast<intptr_t>(&cs)) == -1) {
    CWnd::DestroyWindow();
    return false;
  }
  return true;
}

bool CWnd::DestroyWindow() {
  WindowHandle handle = hwnd;
  if (Find(handle) == nullptr) return false;
  Deliver(handle, wm::kDestroy, 0, 0);
  auto& world = TheWorld();
  std::erase_if(world.timers, [&](const auto& timer) { return timer.window == handle; });
  std::erase_if(world.queue, [&](const Message& m) { return m.window == handle; });
  {
    std::lock_guard lock(world.mutex);
    std::erase_if(world.windows, [&](const auto& w) { return w.get() == handle; });
  }
  Detach();
  PostNcDestroy();
  return true;
}

bool CWnd::ShowWindow(int command) {
  Window* window = Find(hwnd);
  if (window == nullptr) return false;
  const bool wasVisible = window->state.visible;
  window->state.visible = command != sw::kHide;
  if (window->state.visible && !wasVisible) window->needsPaint = true;
  return wasVisible;
}

bool CWnd::IsWindowVisible() const {
  Window* window = Find(hwnd);
  return window != nullptr && window->state.visible;
}

void CWnd::UpdateWindow() {
  Window* window = Find(hwnd);
  if (window != nullptr && window->needsPaint) Deliver(hwnd, wm::kPaint, 0, 0);
}

void CWnd::Invalidate() {
  Window* window = Find(hwnd);
  if (window != nullptr) window->needsPaint = true;
}

Rect CWnd::GetWindowRect() const {
  std::lock_guard lock(TheWorld().mutex);
  Window* window = Find(hwnd);
  return window != nullptr ? window->state.rect : Rect{};
}

Rect CWnd::GetClientRect() const {
  const Rect outer = GetWindowRect();
  return Rect{0, 0, outer.Width(), outer.Height()};
}

bool CWnd::SetWindowPos(ZOrder band, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  std::lock_guard lock(TheWorld().mutex);
  Window* window = Find(hwnd);
  if (window == nullptr) return false;
  Rect& rect = window->state.rect;
  if ((flags & swp::kNoMove) == 0) {
    rect = Rect{x, y, x + rect.Width(), y + rect.Height()};
  }
  if ((flags & swp::kNoSize) == 0) {
    rect.right = rect.left + cx;
    rect.bottom = rect.top + cy;
  }
  if ((flags & swp::kNoZOrder) == 0 && band != ZOrder::Keep) {
    window->state.topMost = band == ZOrder::TopMost;
  }
  if ((flags & swp::kShowWindow) != 0 && !window->state.visible) {
    window->state.visible = true;
    window->needsPaint = true;
  }
  return true;
}

bool CWnd::PostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (Find(hwnd) == nullptr) return false;
  headless::Post(hwnd, message, wParam, lParam);
  return true;
}

intptr_t CWnd::SendMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return Deliver(hwnd, message, wParam, lParam);
}

bool CWnd::SetTimer(uintptr_t id, uint32_t periodMs) {
  Window* window = Find(hwnd);
  if (window == nullptr) return false;
  auto& world = TheWorld();
  KillTimer(id);
  world.timers.push_back({window, id, periodMs, world.clock + periodMs});
  window->state.timers.push_back(id);
  return true;
}

bool CWnd::KillTimer(uintptr_t id) {
  Window* window = Find(hwnd);
  if (window == nullptr) return false;
  const auto removed = std::erase_if(TheWorld().timers, [&](const auto& t) { return t.window == window && t.id == id; });
  std::erase(window->state.timers, id);
  return removed > 0;
}

bool CWnd::SetLayeredAlpha(uint8_t alpha) {
  Window* window = Find(hwnd);
  if (window == nullptr || (window->state.exStyle & ws::kExLayered) == 0) return false;
  window->state.alpha = alpha;
  return true;
}

bool CWnd::UpdateLayeredWindow(Point topLeft, Size size, const FrameBitmap& source, Point from) {
  std::lock_guard lock(TheWorld().mutex);
  Window* window = Find(hwnd);
  if (window == nullptr || (window->state.exStyle & ws::kExLayered) == 0 || source.IsEmpty()) return false;
  // The window system refuses a source part that leaves the bitmap.
  if (from.x < 0 || from.y < 0 || int64_t(from.x) + size.cx > source.Width() ||
      int64_t(from.y) + size.cy > source.Height()) {
    return false;
  }
  if (headless::detail::Refused(headless::Resource::LayeredUpdate)) return false;
  window->state.rect = Rect{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy};
  window->state.layered = &source;
  window->state.layeredAt = topLeft;
  window->state.layeredSize = size;
  window->state.layeredFrom = from;
  ++window->state.layeredUpdates;
  return true;
}
