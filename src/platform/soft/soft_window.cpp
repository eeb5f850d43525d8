#include <algorithm>

#include "platform/frame_bitmap.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "soft_world.h"

using soft::Deliver;
using soft::Find;
using soft::TheWorld;

std::wstring RegisterWindowClass(const WindowClass& windowClass) {
  std::wstring name = windowClass.name;
  if (name.empty()) {
    name = L"Afx:" + std::to_wstring(windowClass.style) + L":" + std::to_wstring(static_cast<int>(windowClass.brush)) +
           L":" + std::to_wstring(windowClass.icon);
  }
  std::lock_guard lock(TheWorld().mutex);
  TheWorld().classes.emplace(name, windowClass);
  return name;
}

CWnd* CWnd::FromHandle(WindowHandle handle) {
  soft::Window* window = Find(handle);
  return window != nullptr ? window->object : nullptr;
}

bool CWnd::CreateEx(uint32_t exStyle, const std::wstring& className, const std::wstring& title, uint32_t style,
                    const Rect& rect, const void* param) {
  CreateStruct cs{exStyle, className, title, style, rect, param};
  if (hwnd != nullptr || !PreCreateWindow(cs)) return false;
  auto& world = TheWorld();
  WindowClass windowClass;
  {
    std::lock_guard lock(world.mutex);
    const auto found = world.classes.find(cs.className);
    if (found != world.classes.end()) windowClass = found->second;
  }
  soft::Window* window = soft::MakeWindow(this, cs, windowClass);
  if (window == nullptr) return false;
  {
    std::lock_guard lock(world.mutex);
    world.windows.push_back(window);
  }
  const WindowHandle handle = window->Handle();
  Attach(handle);
  if (Deliver(handle, wm::kCreate, 0, reinterpret_cast<intptr_t>(&cs)) == -1) {
    CWnd::DestroyWindow();
    return false;
  }
  // Shown once created, as on the desktop; the handler may have destroyed it already.
  window = Find(handle);
  if (window != nullptr && (cs.style & ws::kVisible) != 0 && !window->visible) ShowWindow(sw::kShow);
  return true;
}

bool CWnd::DestroyWindow() {
  const WindowHandle handle = hwnd;
  soft::Window* window = Find(handle);
  if (window == nullptr) return false;
  Deliver(handle, wm::kDestroy, 0, 0);
  auto& world = TheWorld();
  {
    std::lock_guard lock(world.mutex);
    std::erase_if(world.timers, [&](const soft::Timer& timer) { return timer.window == window; });
    std::erase_if(world.queue, [&](const soft::Queued& queued) { return queued.message.window == handle; });
    std::erase(world.windows, window);
  }
  window->Discard();
  Detach();
  PostNcDestroy();
  return true;
}

bool CWnd::ShowWindow(int command) {
  soft::Window* window = Find(hwnd);
  if (window == nullptr) return false;
  const bool wasVisible = window->visible;
  const bool wasMinimized = window->minimized;
  window->visible = command != sw::kHide;
  if (command == sw::kMinimize || command == sw::kRestore) window->minimized = command == sw::kMinimize;
  // A window restored is no longer minimised when it maps.
  if (wasMinimized && !window->minimized) window->ShowMinimized();
  if (window->visible) {
    if (!wasVisible) window->needsPaint = true;
    window->Reveal();
  } else {
    window->Conceal();
  }
  if (!wasMinimized && window->minimized) {
    window->ShowMinimized();
    Deliver(hwnd, wm::kSize, kSizeMinimized, 0);
  }
  return wasVisible;
}

bool CWnd::IsWindowVisible() const {
  soft::Window* window = Find(hwnd);
  return window != nullptr && window->visible;
}

bool CWnd::IsIconic() const {
  soft::Window* window = Find(hwnd);
  return window != nullptr && window->minimized;
}

bool CWnd::SetForegroundWindow() {
  soft::Window* window = Find(hwnd);
  if (window == nullptr || !window->visible) return false;
  window->Activate();
  return true;
}

void CWnd::UpdateWindow() {
  soft::Window* window = Find(hwnd);
  if (window != nullptr && window->needsPaint) window->PaintNow();
}

void CWnd::Invalidate() {
  soft::Window* window = Find(hwnd);
  if (window == nullptr) return;
  window->needsPaint = true;
  window->PaintLater();
}

Rect CWnd::GetWindowRect() const { return platform::WindowRect(hwnd); }

Rect CWnd::GetClientRect() const {
  const Rect outer = GetWindowRect();
  return Rect{0, 0, outer.Width(), outer.Height()};
}

bool CWnd::SetWindowPos(ZOrder band, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  soft::Window* window = Find(hwnd);
  if (window == nullptr) return false;
  Rect rect = window->GetRect();
  if ((flags & swp::kNoMove) == 0) rect = Rect{x, y, x + rect.Width(), y + rect.Height()};
  if ((flags & swp::kNoSize) == 0) rect = Rect{rect.left, rect.top, rect.left + cx, rect.top + cy};
  window->Place(rect);
  if ((flags & swp::kNoZOrder) == 0 && band != ZOrder::Keep) window->SetStaysOnTop(band == ZOrder::TopMost);
  if ((flags & swp::kShowWindow) != 0) ShowWindow(sw::kShow);
  if ((flags & swp::kNoSize) == 0) window->Resized();
  return true;
}

bool CWnd::PostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (Find(hwnd) == nullptr) return false;
  soft::Post(hwnd, message, wParam, lParam);
  return true;
}

intptr_t CWnd::SendMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return Deliver(hwnd, message, wParam, lParam);
}

bool CWnd::SetTimer(uintptr_t id, uint32_t periodMs) {
  soft::Window* window = Find(hwnd);
  if (window == nullptr) return false;
  KillTimer(id);
  const uint32_t due = platform::TimeGetTime() + periodMs;
  std::lock_guard lock(TheWorld().mutex);
  TheWorld().timers.push_back({window, id, periodMs, due});
  return true;
}

bool CWnd::KillTimer(uintptr_t id) {
  soft::Window* window = Find(hwnd);
  if (window == nullptr) return false;
  std::lock_guard lock(TheWorld().mutex);
  return std::erase_if(TheWorld().timers, [&](const auto& t) { return t.window == window && t.id == id; }) > 0;
}

bool CWnd::SetLayeredAlpha(uint8_t alpha) {
  soft::Window* window = Find(hwnd);
  if (window == nullptr || (window->exStyle & ws::kExLayered) == 0) return false;
  window->SetOpacity(alpha);
  return true;
}

bool CWnd::UpdateLayeredWindow(Point topLeft, Size size, const FrameBitmap& source, Point from) {
  soft::Window* window = Find(hwnd);
  if (window == nullptr || (window->exStyle & ws::kExLayered) == 0 || source.IsEmpty()) return false;
  // The window system refuses a source part that leaves the bitmap.
  if (from.x < 0 || from.y < 0 || int64_t(from.x) + size.cx > source.Width() ||
      int64_t(from.y) + size.cy > source.Height()) {
    return false;
  }
  return window->ShowFrame(topLeft, size, source, from);
}
