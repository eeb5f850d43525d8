#include "motion/worker_wait.h"

#include <algorithm>
#include <chrono>

#include "motion/frame_step.h"
#include "platform/system.h"

void RequestStop(SpriteWorkerState& sprite) {
  {
    // Under the lock, so that a worker between its check and its wait still hears it.
    std::lock_guard lock(sprite.stopMutex);
    sprite.stopRequest.fetch_add(1);
  }
  sprite.stopWake.notify_all();
}

uint32_t SleepUnlessStopped(SpriteWorkerState& sprite, uint32_t milliseconds) {
  // One iteration's sleep is short enough to finish; the platform's plain
  // sleep is also the cheaper one (a timed wait costs a server call under Wine).
  if (milliseconds <= kIterationMilliseconds) {
    platform::Sleep(milliseconds);
    return milliseconds;
  }
  using Clock = std::chrono::steady_clock;
  const auto stopped = [&sprite] { return sprite.stopRequest.load(std::memory_order_relaxed) != 0; };
  const Clock::time_point start = Clock::now();
  std::unique_lock lock(sprite.stopMutex);
  if (milliseconds == kWaitForever) {
    sprite.stopWake.wait(lock, stopped);
  } else if (sprite.stopWake.wait_for(lock, std::chrono::milliseconds(milliseconds), stopped) == false) {
    return milliseconds;
  }
  const auto slept = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  return static_cast<uint32_t>(std::clamp<int64_t>(slept, 0, milliseconds));
}
