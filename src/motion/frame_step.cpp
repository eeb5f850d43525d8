#include "motion/frame_step.h"

#include <algorithm>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Never index past the skin's five states, whatever the shared value says.
int32_t CurrentState(const SpriteWorkerState& sprite) {
  const int32_t state = sprite.animState.load(kRelaxed);
  return state < 0 || state >= kAnimStateCount ? 0 : state;
}

int32_t Threshold(const SpriteWorkerState& sprite) {
  return sprite.frameWait[CurrentState(sprite)] / kIterationMilliseconds;
}

}  // namespace

bool FrameStep(SpriteWorkerState& sprite) {
  const int32_t ticks = sprite.tickCounter.load(kRelaxed) + 1;
  sprite.tickCounter.store(ticks, kRelaxed);
  if (ticks < Threshold(sprite)) return false;

  // A skin may declare no frames at all; such a state shows its one frame.
  const int32_t declared = sprite.frameCount[CurrentState(sprite)];
  const int64_t count = declared < 1 ? 1 : declared;
  sprite.tickCounter.store(0, kRelaxed);
  sprite.frameChanged.store(1, kRelaxed);
  const int64_t next = (static_cast<int64_t>(sprite.frameIndex.load(kRelaxed)) + 1) % count;
  sprite.frameIndex.store(static_cast<int32_t>(next), kRelaxed);
  return true;
}

int32_t IterationsToNextFrame(const SpriteWorkerState& sprite) {
  const int64_t left = static_cast<int64_t>(Threshold(sprite)) - sprite.tickCounter.load(kRelaxed);
  return static_cast<int32_t>(std::max<int64_t>(left, 1));
}

bool ShowsOneFrame(const SpriteWorkerState& sprite) { return sprite.frameCount[CurrentState(sprite)] <= 1; }
