#pragma once
#include "motion/motion_worker_state.h"

// Nominal length of one worker iteration in milliseconds; frame times are
// counted in iterations of this length, not measured with a clock.
inline constexpr int32_t kIterationMilliseconds = 16;

// Counts one iteration and advances the frame once its time has passed; true
// when it did.
bool FrameStep(SpriteWorkerState& sprite);
// Iterations from the last one counted to the next that changes the frame (at
// least one); a state with a single frame changes nothing worth showing.
int32_t IterationsToNextFrame(const SpriteWorkerState& sprite);
bool ShowsOneFrame(const SpriteWorkerState& sprite);
