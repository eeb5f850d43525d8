#include "motion/motion_loop.h"

#include "motion/frame_step.h"
#include "motion/motion_drift.h"

namespace {
bool StopRequested(const SpriteWorkerState& sprite) {
  return sprite.stopRequest.load(std::memory_order_relaxed) != 0;
}
}  // namespace

uint32_t RunAnimation(SpriteWorkerState& sprite, const WorkerEnvironment& environment) {
  for (;;) {
    FrameStep(sprite);
    if (StopRequested(sprite)) return 0;
    environment.sleep(kIterationMilliseconds);
  }
}

uint32_t RunDrift(SpriteWorkerState& sprite, const WorkerEnvironment& environment, uint32_t seed) {
  DriftMotion drift(sprite, environment, seed);
  for (;;) {
    drift.Iterate();
    FrameStep(sprite);
    if (StopRequested(sprite)) return 0;
    environment.sleep(kIterationMilliseconds);
  }
}
