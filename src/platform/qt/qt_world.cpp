#include <QAbstractEventDispatcher>

#include "../win_constants.h"
#include "qt_world.h"

namespace qtb {

World& TheWorld() {
  static World world;
  return world;
}

NativeWindow* Find(WindowHandle handle) {
  auto& world = TheWorld();
  std::lock_guard lock(world.mutex);
  auto found = world.windows.find(static_cast<NativeWindow*>(handle));
  return found != world.windows.end() ? *found : nullptr;
}

namespace {

intptr_t DefaultProcessing(NativeWindow& window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case wm::kNcLButtonDown:
      if (wParam == kHitCaption) window.StartMove();
      return 0;
    case wm::kRButtonUp:
      return Deliver(&window, wm::kContextMenu, 0, lParam);
    case wm::kQueryEndSession:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

intptr_t Deliver(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  NativeWindow* window = Find(handle);
  if (window == nullptr || window->object == nullptr) return 0;
  intptr_t result = 0;
  if (window->object->Dispatch(message, wParam, lParam, result)) return result;
  // The handler may have destroyed the window.
  window = Find(handle);
  return window != nullptr ? DefaultProcessing(*window, message, wParam, lParam) : 0;
}

void Post(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  std::unique_lock lock(TheWorld().mutex);
  const Qt::KeyboardModifiers held = TheWorld().held;
  lock.unlock();
  PostInput(handle, message, wParam, lParam, held);
}

void PostInput(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam, Qt::KeyboardModifiers held) {
  {
    std::lock_guard lock(TheWorld().mutex);
    TheWorld().queue.push_back(Queued{Message{handle, message, wParam, lParam}, held});
  }
  // A pump waiting in GetMessage wakes for it.
  if (auto* dispatcher = QAbstractEventDispatcher::instance(nullptr)) dispatcher->wakeUp();
}

QString ToQString(const std::wstring& text) { return QString::fromWCharArray(text.data(), qsizetype(text.size())); }

}  // namespace qtb
