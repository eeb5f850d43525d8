#include "motion/frame_step.h"

void FrameStep(SpriteWorkerState& sprite) {
  constexpr auto relaxed = std::memory_order_relaxed;
  const int32_t ticks = sprite.tickCounter.load(relaxed) + 1;
  sprite.tickCounter.store(ticks, relaxed);

  int32_t state = sprite.animState.load(relaxed);
  // Never index past the skin's five states, whatever the shared value says.
  if (state < 0 || state >= kAnimStateCount) state = 0;
  const int32_t threshold = sprite.frameWait[state] / kIterationMilliseconds;
  if (ticks < threshold) return;

  // A skin may declare no frames at all; such a state shows its one frame.
  const int64_t count = sprite.frameCount[state] < 1 ? 1 : sprite.frameCount[state];
  sprite.tickCounter.store(0, relaxed);
  sprite.frameChanged.store(1, relaxed);
  const int64_t next = (static_cast<int64_t>(sprite.frameIndex.load(relaxed)) + 1) % count;
  sprite.frameIndex.store(static_cast<int32_t>(next), relaxed);
}
