#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "motion/fake_world.h"
#include "motion/frame_step.h"
#include "motion/motion_loop.h"
#include "motion/motion_threads.h"
#include "motion/worker_wait.h"

namespace {

enum class Worker { Animation, Drift };

uint32_t RunWorker(Worker worker, SpriteWorkerState& sprite, const WorkerEnvironment& environment) {
  return worker == Worker::Animation ? RunAnimation(sprite, environment)
                                     : RunDrift(sprite, environment, 5489);
}

// The workers step the frames of the state they find and never change it.
TEST(WorkerLoopTest, StopIsActedOnAfterOneMoreCompleteIteration) {
  struct Case {
    Worker worker;
    int stopDuringSleep;  // 0: raised before the worker starts
    int iterations;
  };
  const Case cases[] = {
      {Worker::Animation, 0, 1}, {Worker::Animation, 1, 2}, {Worker::Animation, 3, 4},
      {Worker::Drift, 0, 1},     {Worker::Drift, 1, 2},     {Worker::Drift, 3, 4},
  };
  for (const Case& c : cases) {
    SpriteWorkerState sprite;
    sprite.animState = 2;
    sprite.frameWait[2] = 1000000;  // tickCounter then counts the iterations
    sprite.frameCount[2] = 1;
    sprite.moveRange.Store(10000, 10000, 40000, 40000);
    sprite.targetX = -1;
    FakeWorld world;
    if (c.stopDuringSleep == 0) sprite.stopRequest = 1;
    world.onSleep = [&](uint32_t) {
      // The last frame step and publication must happen after the request.
      sprite.tickCounter = 1000;
      sprite.targetX = -1;
      if (world.sleeps == c.stopDuringSleep) sprite.stopRequest.fetch_add(1);
      return 0u;  // each sleep cut short: no iteration passes in it
    };
    const WorkerEnvironment environment = world.Environment();

    EXPECT_EQ(RunWorker(c.worker, sprite, environment), 0u);
    const char* name = c.worker == Worker::Animation ? "animation" : "drift";
    EXPECT_EQ(sprite.animState, 2) << name;
    EXPECT_EQ(world.sleeps, c.iterations - 1) << name << ": no sleep after the stop";
    EXPECT_EQ(sprite.tickCounter, c.iterations == 1 ? 1 : 1001) << name;
    if (c.worker == Worker::Drift) {
      EXPECT_EQ(world.sleepLengths, std::vector<uint32_t>(c.iterations - 1, 16u)) << "drift keeps its pace";
      EXPECT_EQ(world.windowReads, c.iterations);
      EXPECT_NE(sprite.targetX, -1) << "the final iteration publishes";
    } else {
      EXPECT_EQ(world.windowReads, 0);
      EXPECT_EQ(world.screenReads, 0);
    }
  }
}

}  // namespace

namespace {

// Frame changes of a standing sprite, as iteration numbers: stepping one
// iteration at a time, and as the animation worker does it in long sleeps.
std::vector<int64_t> ChangesOneByOne(SpriteWorkerState& sprite, int64_t iterations) {
  std::vector<int64_t> changes;
  for (int64_t i = 1; i <= iterations; ++i) {
    if (FrameStep(sprite)) changes.push_back(i);
  }
  return changes;
}

TEST(WorkerLoopTest, StandingSpriteSleepsUntilItsNextFrameAndChangesOnTheSameIterations) {
  struct Case {
    int32_t wait;
    int32_t count;
    int32_t startTick;
  };
  const Case cases[] = {{500, 4, 0}, {100, 3, 5}, {16, 2, 0}, {15, 2, 0}, {40, 5, 1}, {1000, 2, 70}, {0, 3, 0}};
  constexpr int64_t kIterations = 3000;
  for (const Case& c : cases) {
    const auto prepare = [&c](SpriteWorkerState& sprite) {
      sprite.frameWait[0] = c.wait;
      sprite.frameCount[0] = c.count;
      sprite.tickCounter = c.startTick;
    };
    SpriteWorkerState reference;
    prepare(reference);
    const std::vector<int64_t> expected = ChangesOneByOne(reference, kIterations);

    SpriteWorkerState sprite;
    prepare(sprite);
    FakeWorld world;
    int64_t slept = 0;  // virtual milliseconds
    std::vector<int64_t> changes;
    world.onSleep = [&](uint32_t milliseconds) {
      slept += milliseconds;
      if (slept / 16 + 1 >= kIterations) sprite.stopRequest = 1;
      return milliseconds;
    };
    WorkerEnvironment environment = world.Environment();
    environment.frameReady = [&] {
      if (slept / 16 + 1 <= kIterations) changes.push_back(slept / 16 + 1);
    };
    RunAnimation(sprite, environment);

    EXPECT_EQ(changes, expected) << c.wait << " ms, " << c.count << " frames";
    EXPECT_LE(world.sleeps, static_cast<int>(expected.size()) + 1) << c.wait << " ms: one sleep per frame";
  }
}

TEST(WorkerLoopTest, SingleFrameSleepsUntilStoppedAndAStopEndsTheSleepAtOnce) {
  SpriteWorkerState sprite;
  sprite.frameWait[0] = 48;
  sprite.frameCount[0] = 1;
  uint32_t result = 1;
  std::thread worker([&] { result = AnimationThreadProc(sprite); });
  // Without the stop ending the sleep, this would wait for ever.
  RequestStop(sprite);
  worker.join();
  EXPECT_EQ(result, 0u);

  SpriteWorkerState fresh;
  fresh.frameWait[0] = 48;
  fresh.frameCount[0] = 1;
  FakeWorld world;
  world.onSleep = [&](uint32_t) {
    fresh.stopRequest = 1;
    return 0u;
  };
  RunAnimation(fresh, world.Environment());
  EXPECT_EQ(world.sleepLengths, std::vector<uint32_t>{kWaitForever});
  EXPECT_EQ(world.framesReady, 0);
}

}  // namespace
