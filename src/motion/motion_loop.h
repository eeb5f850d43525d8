#pragma once
// The bodies of the two workers, run against a given environment. Each
// iteration ends with the stop check: a request that arrives during an
// iteration is acted on after it, one that ends a sleep after one more
// iteration, without sleeping again.
#include <cstdint>

#include "motion/motion_environment.h"
#include "motion/motion_worker_state.h"

// Advances the animation frame only; returns 0 when stopped.
uint32_t RunAnimation(SpriteWorkerState& sprite, const WorkerEnvironment& environment);
// Drifts inside the move range and advances the frame; returns 0 when stopped.
uint32_t RunDrift(SpriteWorkerState& sprite, const WorkerEnvironment& environment, uint32_t seed);
