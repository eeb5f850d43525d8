#include "headless_world.h"
#include "platform/win_constants.h"

namespace {

// Painting comes after posted messages and before timers, as on the desktop.
bool TakePaint(Message& out) {
  std::lock_guard lock(soft::TheWorld().mutex);
  for (soft::Window* window : soft::TheWorld().windows) {
    if (window->needsPaint && window->visible) {
      out = Message{window->Handle(), wm::kPaint, 0, 0};
      return true;
    }
  }
  return false;
}

}  // namespace

namespace platform {

bool PeekMessage(Message& out, bool remove) {
  return soft::TakeQueued(out, remove) || TakePaint(out) || soft::TakeDueTimer(out, remove);
}

bool GetMessage(Message& out) {
  // Nothing can arrive in an empty fake queue: waiting would never end.
  if (!PeekMessage(out, true)) out = Message{nullptr, wm::kQuit, 0, 0};
  return out.message != wm::kQuit;
}

}  // namespace platform
