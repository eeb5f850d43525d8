// Real worker threads against the user-interface side, for ThreadSanitizer:
// the shared members are touched from both sides the way the frame tick, the
// range editor and the mode commands touch them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

#include "motion/motion_seed.h"
#include "motion/motion_threads.h"
#include "platform/system.h"

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;
constexpr int kFrames = 4;
constexpr int kRestarts = 300;

struct Sprite {
  SpriteWorkerState shared;
  std::thread worker;
  std::atomic<uint32_t> result{1};
  int framesSeen = 0;

  Sprite() {
    for (int s = 0; s < kAnimStateCount; ++s) {
      shared.frameCount[s] = kFrames;
      shared.frameWait[s] = 16;  // a new frame at every iteration
    }
    shared.moveRange.Store(10000, 10000, 40000, 40000);
  }

  void Start(bool drift) {
    shared.moving.store(drift ? 1 : 0, kRelaxed);
    worker = std::thread([this, drift] {
      result.store(drift ? DriftThreadProc(shared, MotionSeed(0)) : AnimationThreadProc(shared), kRelaxed);
    });
  }

  void Stop() {
    shared.stopRequest.fetch_add(1);
    worker.join();
    shared.stopRequest.store(0, kRelaxed);
  }

  // What one frame tick reads and clears.
  void Tick() {
    if (shared.frameChanged.load(kRelaxed) != 0) {
      const int32_t index = shared.frameIndex.load(kRelaxed);
      EXPECT_GE(index, 0);
      EXPECT_LT(index, kFrames);
      shared.frameChanged.store(0, kRelaxed);
      ++framesSeen;
    }
    if (shared.moving.load(kRelaxed) != 0) {
      // Both ranges lie within 5000..40000 units; one step may overshoot.
      const Size screen = platform::ScreenSize();
      const int32_t x = shared.targetX.load(kRelaxed);
      const int32_t y = shared.targetY.load(kRelaxed);
      EXPECT_LE(x, (40000 + 99) * screen.cx / 65535);
      EXPECT_LE(y, (40000 + 99) * screen.cy / 65535);
      EXPECT_GE(x, std::min(0, (5000 - 99) * screen.cx / 65535));
      EXPECT_GE(y, std::min(0, (5000 - 99) * screen.cy / 65535));
    }
  }
};

TEST(WorkerRaceTest, RestartsWhileTheUserInterfaceReadsAndWrites) {
  std::array<Sprite, 2> sprites;
  for (size_t i = 0; i < sprites.size(); ++i) sprites[i].Start(i == 0);

  for (int round = 0; round < kRestarts; ++round) {
    for (int tick = 0; tick < round % 4; ++tick) {
      for (Sprite& sprite : sprites) sprite.Tick();
      std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    for (Sprite& sprite : sprites) {
      if (round % 3 == 0) sprite.shared.moveRange.Store(5000, 5000, 30000, 30000);
      if (round % 3 == 1) sprite.shared.moveRange.Store(10000, 10000, 40000, 40000);
    }
    Sprite& restarted = sprites[round % 2];
    restarted.Stop();
    EXPECT_EQ(restarted.result.load(kRelaxed), 0u);
    restarted.result.store(1, kRelaxed);
    restarted.Start(round % 5 != 0);
  }
  for (Sprite& sprite : sprites) {
    sprite.Stop();
    EXPECT_EQ(sprite.result.load(kRelaxed), 0u);
    EXPECT_GT(sprite.framesSeen, 0);
  }
}

}  // namespace
