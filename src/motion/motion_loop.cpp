#include "motion/motion_loop.h"

#include <algorithm>

#include "motion/frame_step.h"
#include "motion/motion_drift.h"
#include "motion/worker_wait.h"

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

bool StopRequested(const SpriteWorkerState& sprite) {
  return sprite.stopRequest.load(kRelaxed) != 0;
}
}  // namespace

// A standing sprite sleeps through the iterations that change nothing in one
// wait and counts them afterwards, so its frames change on the same iterations
// as if it had woken for each.
uint32_t RunAnimation(SpriteWorkerState& sprite, const WorkerEnvironment& environment) {
  for (;;) {
    if (FrameStep(sprite)) environment.frameReady();
    if (StopRequested(sprite)) return 0;
    const int32_t due = IterationsToNextFrame(sprite);
    const uint32_t wait = ShowsOneFrame(sprite) ? kWaitForever : static_cast<uint32_t>(due) * kIterationMilliseconds;
    const uint32_t slept = environment.sleep(wait);
    const int64_t passed = std::min<int64_t>(slept / kIterationMilliseconds, due - 1);
    sprite.tickCounter.store(static_cast<int32_t>(sprite.tickCounter.load(kRelaxed) + passed), kRelaxed);
  }
}

uint32_t RunDrift(SpriteWorkerState& sprite, const WorkerEnvironment& environment, uint32_t seed) {
  DriftMotion drift(sprite, environment, seed);
  for (;;) {
    drift.Iterate();
    if (FrameStep(sprite)) environment.frameReady();
    if (StopRequested(sprite)) return 0;
    environment.sleep(kIterationMilliseconds);
  }
}
