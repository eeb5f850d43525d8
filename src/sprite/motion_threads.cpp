#include "sprite/motion_threads.h"

#include <cstdlib>
#include <ctime>

#include "sprite/motion_loop.h"

WorkerEnvironment PlatformEnvironment() {
  WorkerEnvironment environment;
  environment.screenSize = platform::ScreenSize;
  environment.windowRect = platform::WindowRect;
  environment.coin = [] { return std::rand(); };
  environment.sleep = platform::Sleep;
  return environment;
}

uint32_t ClockSeed() {
  return static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)));
}

uint32_t AnimationThreadProc(SpriteWorkerState& sprite) {
  const WorkerEnvironment environment = PlatformEnvironment();
  return RunAnimation(sprite, environment);
}

uint32_t DriftThreadProc(SpriteWorkerState& sprite) {
  const WorkerEnvironment environment = PlatformEnvironment();
  return RunDrift(sprite, environment, ClockSeed());
}
