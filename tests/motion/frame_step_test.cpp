#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "motion/frame_step.h"

namespace {

TEST(FrameStepTest, AdvancesTheFrameOncePerFrameTime) {
  struct Case {
    const char* name;
    int32_t animState;
    int32_t wait;
    int32_t count;
    int iterations;
    int changeEvery;  // iterations between changes
    std::vector<int32_t> indices;  // frameIndex after each change
    int32_t startIndex = 0, startTick = 0;  // a new worker continues where the previous one stopped
  };
  const Case cases[] = {
      {"500 ms, 4 frames", 0, 500, 4, 155, 31, {1, 2, 3, 0, 1}},
      {"15 ms", 0, 15, 3, 4, 1, {1, 2, 0, 1}},
      {"31 ms", 0, 31, 3, 4, 1, {1, 2, 0, 1}},
      {"32 ms", 0, 32, 3, 6, 2, {1, 2, 0}},
      {"0 ms", 0, 0, 2, 3, 1, {1, 0, 1}},
      {"negative time", 0, -100, 2, 3, 1, {1, 0, 1}},
      {"one frame still flags changes", 0, 48, 1, 9, 3, {0, 0, 0}},
      {"no frames acts as one", 0, 32, 0, 4, 2, {0, 0}},
      {"negative frame count acts as one", 0, 16, -3, 2, 1, {0, 0}},
      {"state Right", 4, 64, 2, 8, 4, {1, 0}},
      {"unknown state shows Default", 7, 500, 4, 31, 31, {1}},
      {"carries on from the counters it finds", 0, 500, 4, 33, 31, {3, 0}, 2, 29},
  };
  for (const Case& c : cases) {
    SpriteWorkerState sprite;
    for (int s = 0; s < kAnimStateCount; ++s) {
      sprite.frameWait[s] = 100000;  // other states must not be consulted
      sprite.frameCount[s] = 9;
    }
    const int32_t state = c.animState < kAnimStateCount ? c.animState : 0;
    sprite.frameWait[state] = c.wait;
    sprite.frameCount[state] = c.count;
    sprite.animState = c.animState;
    sprite.frameIndex = c.startIndex;
    sprite.tickCounter = c.startTick;

    std::vector<int> changedAt;
    std::vector<int32_t> indices;
    for (int i = 1; i <= c.iterations; ++i) {
      FrameStep(sprite);
      if (sprite.frameChanged.exchange(0) != 0) {
        changedAt.push_back(i);
        indices.push_back(sprite.frameIndex);
      }
    }
    std::vector<int> expectedAt;
    for (int i = 1; i <= c.iterations; ++i) {
      if ((c.startTick + i) % c.changeEvery == 0) expectedAt.push_back(i);
    }
    EXPECT_EQ(changedAt, expectedAt) << c.name;
    EXPECT_EQ(indices, c.indices) << c.name;
  }
}

}  // namespace
