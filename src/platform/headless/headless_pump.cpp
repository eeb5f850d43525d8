#include "../win_constants.h"
#include "headless_world.h"

using headless::detail::TheWorld;

namespace platform {

bool PeekMessage(Message& out, bool remove) {
  auto& world = TheWorld();
  if (!world.queue.empty()) {
    out = world.queue.front();
    if (remove) world.queue.pop_front();
    return true;
  }
  if (world.quitPending) {
    out = Message{nullptr, wm::kQuit, static_cast<uintptr_t>(world.quitCode), 0};
    if (remove) world.quitPending = false;
    return true;
  }
  for (auto& window : world.windows) {
    if (window->needsPaint && window->state.visible) {
      out = Message{window.get(), wm::kPaint, 0, 0};
      return true;
    }
  }
  for (auto& timer : world.timers) {
    if (static_cast<int32_t>(world.clock - timer.due) >= 0) {
      out = Message{timer.window, wm::kTimer, timer.id, 0};
      if (remove) timer.due = world.clock + timer.period;
      return true;
    }
  }
  return false;
}

bool GetMessage(Message& out) {
  // Nothing can arrive in an empty fake queue: waiting would never end.
  if (!PeekMessage(out, true)) out = Message{nullptr, wm::kQuit, 0, 0};
  return out.message != wm::kQuit;
}

void WaitForWork() {
  Message next;
  if (!PeekMessage(next, false)) ++TheWorld().uiWaits;
}

// The fake's waits return at once, so there is nothing to end.
void WakeUserInterface() {}

void TranslateMessage(const Message&) {}

intptr_t DispatchMessage(const Message& message) {
  if (message.window == nullptr) return 0;
  return headless::detail::Deliver(message.window, message.message, message.wParam, message.lParam);
}

void PostQuitMessage(int exitCode) {
  TheWorld().quitPending = true;
  TheWorld().quitCode = exitCode;
}

}  // namespace platform
