#pragma once
#include "motion/motion_worker_state.h"

// Nominal length of one worker iteration in milliseconds; frame times are
// counted in iterations of this length, not measured with a clock.
inline constexpr int32_t kIterationMilliseconds = 16;

// Counts one iteration and advances the frame once its time has passed.
void FrameStep(SpriteWorkerState& sprite);
