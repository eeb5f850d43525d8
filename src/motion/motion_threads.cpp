#include "motion/motion_threads.h"

#include "motion/motion_loop.h"
#include "motion/motion_seed.h"
#include "motion/worker_wait.h"

WorkerEnvironment PlatformEnvironment(SpriteWorkerState& sprite, uint32_t coinSeed) {
  WorkerEnvironment environment;
  environment.screenSize = platform::ScreenSize;
  environment.windowRect = platform::WindowRect;
  environment.coin = [coin = SignCoin(coinSeed)]() mutable { return coin.Toss(); };
  environment.sleep = [&sprite](uint32_t milliseconds) { return SleepUnlessStopped(sprite, milliseconds); };
  environment.frameReady = platform::WakeUserInterface;
  return environment;
}

uint32_t AnimationThreadProc(SpriteWorkerState& sprite) {
  const WorkerEnvironment environment = PlatformEnvironment(sprite, 0);
  return RunAnimation(sprite, environment);
}

uint32_t DriftThreadProc(SpriteWorkerState& sprite, uint32_t seed) {
  const WorkerEnvironment environment = PlatformEnvironment(sprite, seed);
  return RunDrift(sprite, environment, seed);
}
