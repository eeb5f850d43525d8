#include <algorithm>

#include "platform/system.h"
#include "platform/win_constants.h"
#include "soft_world.h"

namespace soft {

bool TakeQueued(Message& out, bool remove) {
  auto& world = TheWorld();
  std::lock_guard lock(world.mutex);
  if (!world.queue.empty()) {
    out = world.queue.front().message;
    if (remove) {
      world.held = world.queue.front().held;
      world.queue.pop_front();
    }
    return true;
  }
  if (world.quitPending) {
    out = Message{nullptr, wm::kQuit, static_cast<uintptr_t>(world.quitCode), 0};
    if (remove) world.quitPending = false;
    return true;
  }
  return false;
}

bool TakeDueTimer(Message& out, bool remove) {
  auto& world = TheWorld();
  const uint32_t now = platform::TimeGetTime();
  std::lock_guard lock(world.mutex);
  for (auto& timer : world.timers) {
    if (static_cast<int32_t>(now - timer.due) >= 0) {
      out = Message{timer.window->Handle(), wm::kTimer, timer.id, 0};
      if (remove) timer.due = now + timer.period;
      return true;
    }
  }
  return false;
}

int32_t UntilNextTimer() {
  auto& world = TheWorld();
  const uint32_t now = platform::TimeGetTime();
  std::lock_guard lock(world.mutex);
  int32_t soonest = -1;
  for (const auto& timer : world.timers) {
    const int32_t left = std::max<int32_t>(0, static_cast<int32_t>(timer.due - now));
    if (soonest < 0 || left < soonest) soonest = left;
  }
  return soonest;
}

}  // namespace soft

namespace platform {

void TranslateMessage(const Message&) {}

intptr_t DispatchMessage(const Message& message) {
  if (message.window == nullptr) return 0;
  return soft::Deliver(message.window, message.message, message.wParam, message.lParam);
}

void PostQuitMessage(int exitCode) {
  std::lock_guard lock(soft::TheWorld().mutex);
  soft::TheWorld().quitPending = true;
  soft::TheWorld().quitCode = exitCode;
}

}  // namespace platform
