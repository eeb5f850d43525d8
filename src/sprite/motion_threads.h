#pragma once
// Thread procedures of a sprite window's worker. The window starts at most one
// at a time and ends it by raising stopRequest and joining the thread.
#include <cstdint>

#include "sprite/motion_environment.h"
#include "sprite/motion_worker_state.h"

uint32_t AnimationThreadProc(SpriteWorkerState& sprite);
uint32_t DriftThreadProc(SpriteWorkerState& sprite);

// The platform's services and the runtime's rand, as the workers use them.
WorkerEnvironment PlatformEnvironment();
// The low 32 bits of the calendar time: motion threads started within the
// same second draw the same speeds and choices.
uint32_t ClockSeed();
