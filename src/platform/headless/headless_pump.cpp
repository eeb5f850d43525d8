#include "headless_world.h"
#include "platform/system.h"

// The fake has no events of its own, and nothing can arrive while its pump
// waits: the pump only takes what is there.
namespace soft {

void PumpToolkit() {}

bool WaitForToolkit(int32_t) { return false; }

void WakePump() {}

}  // namespace soft

namespace platform {

void WaitForWork() {
  Message next;
  if (!PeekMessage(next, false)) ++headless::detail::TheWorld().uiWaits;
}

// The fake's waits return at once, so there is nothing to end.
void WakeUserInterface() {}

// The time waited passes on the fake's clock.
void WaitForMessageOrTime(uint32_t milliseconds) {
  Message next;
  if (PeekMessage(next, false)) return;
  auto& world = headless::detail::TheWorld();
  world.uiTimedWaits.push_back(milliseconds);
  world.clock += milliseconds;
}

}  // namespace platform
