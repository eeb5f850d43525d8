#pragma once
// Thread procedures of a sprite window's worker. The window starts at most one
// at a time and ends it with RequestStop and joining the thread.
#include <cstdint>

#include "motion/motion_environment.h"
#include "motion/motion_worker_state.h"

uint32_t AnimationThreadProc(SpriteWorkerState& sprite);
// seed: the thread's own (MotionSeed), for its engine and its coin alike.
uint32_t DriftThreadProc(SpriteWorkerState& sprite, uint32_t seed);

// The platform's services as sprite's worker uses them, with a coin of the
// worker's own seeded with coinSeed.
WorkerEnvironment PlatformEnvironment(SpriteWorkerState& sprite, uint32_t coinSeed);
