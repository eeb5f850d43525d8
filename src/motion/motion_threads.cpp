#include "motion/motion_threads.h"

#include "motion/motion_loop.h"
#include "motion/motion_seed.h"

WorkerEnvironment PlatformEnvironment(uint32_t coinSeed) {
  WorkerEnvironment environment;
  environment.screenSize = platform::ScreenSize;
  environment.windowRect = platform::WindowRect;
  environment.coin = [coin = SignCoin(coinSeed)]() mutable { return coin.Toss(); };
  environment.sleep = platform::Sleep;
  return environment;
}

uint32_t AnimationThreadProc(SpriteWorkerState& sprite) {
  const WorkerEnvironment environment = PlatformEnvironment(0);
  return RunAnimation(sprite, environment);
}

uint32_t DriftThreadProc(SpriteWorkerState& sprite, uint32_t seed) {
  const WorkerEnvironment environment = PlatformEnvironment(seed);
  return RunDrift(sprite, environment, seed);
}
