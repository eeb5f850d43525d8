#include <algorithm>

#include "platform/system.h"
#include "platform/win_constants.h"
#include "soft_world.h"

// The order is the desktop's: posted messages, the quit request, painting,
// and timers only when nothing else is there.
namespace {

bool TakeQueued(soft::World& world, Message& out, bool remove) {
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

bool TakePaint(soft::World& world, Message& out) {
  for (soft::Window* window : world.windows) {
    if (window->needsPaint && window->visible && window->PaintedFromQueue()) {
      out = Message{window->Handle(), wm::kPaint, 0, 0};
      return true;
    }
  }
  return false;
}

bool TakeDueTimer(soft::World& world, uint32_t now, Message& out, bool remove) {
  for (auto& timer : world.timers) {
    if (static_cast<int32_t>(now - timer.due) >= 0) {
      out = Message{timer.window->Handle(), wm::kTimer, timer.id, 0};
      if (remove) timer.due = now + timer.period;
      return true;
    }
  }
  return false;
}

}  // namespace

int32_t soft::UntilNextTimer() {
  auto& world = soft::TheWorld();
  const uint32_t now = platform::TimeGetTime();
  std::lock_guard lock(world.mutex);
  int32_t soonest = -1;
  for (const auto& timer : world.timers) {
    const int32_t left = std::max<int32_t>(0, static_cast<int32_t>(timer.due - now));
    if (soonest < 0 || left < soonest) soonest = left;
  }
  return soonest;
}

namespace platform {

bool PeekMessage(Message& out, bool remove) {
  soft::PumpToolkit();
  auto& world = soft::TheWorld();
  const uint32_t now = TimeGetTime();
  std::lock_guard lock(world.mutex);
  return TakeQueued(world, out, remove) || TakePaint(world, out) || TakeDueTimer(world, now, out, remove);
}

bool GetMessage(Message& out) {
  while (!PeekMessage(out, true)) {
    if (!soft::WaitForToolkit(soft::UntilNextTimer())) {
      out = Message{nullptr, wm::kQuit, 0, 0};
      break;
    }
  }
  return out.message != wm::kQuit;
}

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
