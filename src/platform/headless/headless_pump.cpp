#include "platform/soft/soft_world.h"

// The fake has no events of its own, and nothing can arrive while its pump
// waits: the pump only takes what is there.
namespace soft {

void PumpToolkit() {}

bool WaitForToolkit(int32_t) { return false; }

void WakePump() {}

}  // namespace soft
