#include "soft_world.h"

#include <algorithm>

#include "platform/system.h"
#include "platform/win_constants.h"

namespace soft {

Window::Window(CWnd* object, const CreateStruct& cs)
    : object(object), style(cs.style), exStyle(cs.exStyle), rect(cs.rect) {}

Rect Window::GetRect() const {
  std::lock_guard lock(TheWorld().mutex);
  return rect;
}

void Window::SetRect(const Rect& target) {
  std::lock_guard lock(TheWorld().mutex);
  rect = target;
}

World& TheWorld() {
  static World world;
  return world;
}

namespace {

// The caller holds the world's lock.
Window* Lookup(World& world, WindowHandle handle) {
  auto found = std::find(world.windows.begin(), world.windows.end(), static_cast<Window*>(handle));
  return found != world.windows.end() ? *found : nullptr;
}

intptr_t DefaultProcessing(Window& window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case wm::kNcLButtonDown:
      if (wParam == kHitCaption) window.StartSystemMove();
      return 0;
    case wm::kRButtonUp:
      return Deliver(window.Handle(), wm::kContextMenu, 0, lParam);
    case wm::kQueryEndSession:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

Window* Find(WindowHandle handle) {
  std::lock_guard lock(TheWorld().mutex);
  return Lookup(TheWorld(), handle);
}

intptr_t Deliver(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Window* window = Find(handle);
  if (window == nullptr || window->object == nullptr) return 0;
  intptr_t result = 0;
  if (window->object->Dispatch(message, wParam, lParam, result)) return result;
  // The handler may have destroyed the window.
  window = Find(handle);
  return window != nullptr ? DefaultProcessing(*window, message, wParam, lParam) : 0;
}

void Post(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  PostInput(handle, message, wParam, lParam, HeldKeys());
}

void PostInput(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t held) {
  {
    std::lock_guard lock(TheWorld().mutex);
    TheWorld().queue.push_back(Queued{Message{handle, message, wParam, lParam}, held});
  }
  WakePump();
}

uint32_t HeldKeys() {
  std::lock_guard lock(TheWorld().mutex);
  return TheWorld().held;
}

void Reset() {
  auto& world = TheWorld();
  std::vector<Window*> windows;
  {
    std::lock_guard lock(world.mutex);
    windows.swap(world.windows);
    world.queue.clear();
    world.held = 0;
    world.timers.clear();
    world.quitPending = false;
    world.quitCode = 0;
    world.classes.clear();
  }
  for (Window* window : windows) {
    if (window->object != nullptr) window->object->Detach();
    window->Discard();
  }
}

}  // namespace soft

namespace platform {

Rect WindowRect(WindowHandle handle) {
  std::lock_guard lock(soft::TheWorld().mutex);
  const soft::Window* window = soft::Lookup(soft::TheWorld(), handle);
  return window != nullptr ? window->rect : Rect{};
}

std::vector<MonitorInfo> Monitors() {
  std::lock_guard lock(soft::TheWorld().mutex);
  return soft::TheWorld().monitors;
}

int32_t WindowDpi(WindowHandle window) {
  const Rect rect = WindowRect(window);
  std::lock_guard lock(soft::TheWorld().mutex);
  const MonitorInfo* monitor = NearestMonitor(soft::TheWorld().monitors, rect);
  return monitor != nullptr ? monitor->dpi : kDefaultDpi;
}

}  // namespace platform
