#include <gtest/gtest.h>

#include "motion/fake_world.h"
#include "motion/motion_loop.h"

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
    world.onSleep = [&] {
      // The last frame step and publication must happen after the request.
      sprite.tickCounter = 1000;
      sprite.targetX = -1;
      if (world.sleeps == c.stopDuringSleep) sprite.stopRequest.fetch_add(1);
    };
    const WorkerEnvironment environment = world.Environment();

    EXPECT_EQ(RunWorker(c.worker, sprite, environment), 0u);
    const char* name = c.worker == Worker::Animation ? "animation" : "drift";
    EXPECT_EQ(sprite.animState, 2) << name;
    EXPECT_EQ(world.sleeps, c.iterations - 1) << name << ": no sleep after the stop";
    EXPECT_EQ(sprite.tickCounter, c.iterations == 1 ? 1 : 1001) << name;
    if (c.worker == Worker::Drift) {
      EXPECT_EQ(world.windowReads, c.iterations);
      EXPECT_NE(sprite.targetX, -1) << "the final iteration publishes";
    } else {
      EXPECT_EQ(world.windowReads, 0);
      EXPECT_EQ(world.screenReads, 0);
    }
  }
}

}  // namespace
