#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "motion/fake_world.h"
#include "motion/motion_drift.h"

namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

struct Range {
  int32_t left, top, right, bottom;
};

// One drifting sprite whose frame never changes, in the given range.
struct Drift {
  FakeWorld world;
  SpriteWorkerState sprite;
  WorkerEnvironment environment;
  std::unique_ptr<DriftMotion> motion;

  explicit Drift(Range range, uint32_t seed = 5489, Size screen = {1920, 1080}, Rect window = {0, 0, 128, 128},
                 std::vector<int> coins = {1}) {
    world.screen = screen;
    world.window = window;
    world.coins = std::move(coins);
    environment = world.Environment();
    sprite.moveRange.Store(range.left, range.top, range.right, range.bottom);
    sprite.frameWait[0] = 100000;
    sprite.frameCount[0] = 1;
    motion = std::make_unique<DriftMotion>(sprite, environment, seed);
  }
  const DriftMotion::Body& Step() {
    motion->Iterate();
    return motion->State();
  }
};

bool StartsBurst(const DriftMotion::Body& body) {
  return body.speedX * body.speedX + body.speedY * body.speedY <= 25;
}

constexpr Range kWide{0, 0, 65535, 65535};
constexpr Rect kPoint{0, 0, 0, 0};

TEST(DriftMotionTest, BurstLengthAndDistance) {
  // The first decay applies before the first move.
  struct Case {
    uint32_t seed;  // chosen for its first two speeds
    int32_t speedX, speedY;
    int iterations;
    int32_t distanceX, distanceY;
  };
  const Case cases[] = {{2180, 50, 100, 95, 1225, 4940}, {95, 50, 50, 47, 1222, 1222}};
  for (const Case& c : cases) {
    Drift drift({0, 0, 60000, 60000}, c.seed, {1920, 1080}, kPoint);  // odd coins: signs positive
    const DriftMotion::Body start = drift.motion->State();             // the centre: aiming keeps + too
    EXPECT_EQ(drift.Step().speedX, c.speedX - 1) << c.seed;
    EXPECT_EQ(drift.motion->State().speedY, c.speedY - 1) << c.seed;
    int iterations = 1;
    for (; !StartsBurst(drift.motion->State()); ++iterations) drift.Step();
    EXPECT_EQ(iterations, c.iterations) << c.seed;
    EXPECT_EQ(drift.motion->State().x - start.x, c.distanceX) << c.seed;
    EXPECT_EQ(drift.motion->State().y - start.y, c.distanceY) << c.seed;
  }
}

TEST(DriftMotionTest, NewBurstOnlyWhenTheSpeedHasFallen) {
  const struct {
    int32_t speedX, speedY;
    bool newBurst;
  } cases[] = {{3, 4, true}, {4, 4, false}, {5, 0, true}, {6, 0, false}, {0, 0, true}};
  for (const auto& c : cases) {
    Drift drift(kWide);
    DriftMotion::Body body = drift.motion->State();
    body.speedX = c.speedX;
    body.speedY = c.speedY;
    drift.motion->SetState(body);
    const DriftMotion::Body& after = drift.Step();
    EXPECT_EQ(after.speedX == 96 && after.speedY == 53, c.newBurst) << c.speedX << ", " << c.speedY;
  }
}

TEST(DriftMotionTest, BurstDirections) {
  // Seed 5489's first burst takes random signs from two coins; its second is
  // aimed at the centre of the range as it is then.
  struct Case {
    std::vector<int> coins;
    bool aimed;
    int32_t x, y;
    int32_t directionX, directionY;
  };
  const Case cases[] = {
      {{1, 1}, false, 0, 0, 1, 1},          {{0, 1}, false, 0, 0, -1, 1},
      {{7, 32766}, false, 0, 0, 1, -1},     {{2, 4}, false, 0, 0, -1, -1},
      {{-3, -4}, false, 0, 0, 1, -1},       {{1}, true, 30000, 30000, 1, 1},  // at the centre: +
      {{1}, true, 30001, 29999, -1, 1},     {{1}, true, 20000, 40000, 1, -1},
  };
  for (const Case& c : cases) {
    Drift drift(kWide, 5489, {1920, 1080}, kPoint, c.coins);
    if (c.aimed) {
      drift.Step();
      drift.sprite.moveRange.Store(10000, 10000, 50000, 50000);  // takes effect at once
      drift.motion->SetState({c.x, c.y, 1, 1, 0, 0});
    }
    const DriftMotion::Body& body = drift.Step();
    EXPECT_EQ(drift.world.coinCalls, 2) << c.x;
    EXPECT_EQ(body.directionX, c.directionX) << c.coins[0] << " " << c.x;
    EXPECT_EQ(body.directionY, c.directionY) << c.coins.back() << " " << c.y;
  }
}

TEST(DriftMotionTest, EdgesHoldTheWindowInsideTheRange) {
  // 128 x 128 on 1920 x 1080 is 4352 x 7680 units: x in 10000..35648 and
  // y in 10000..32320 for the range (10000, 10000, 40000, 40000). Speeds of
  // 10 without decay make each step 10 units.
  struct Case {
    const char* name;
    Range range;
    DriftMotion::Body before, after;
  };
  const Range usual{10000, 10000, 40000, 40000};
  const Range narrow{10000, 10000, 12000, 12000};
  const Case cases[] = {
      {"inside", usual, {20000, 20000, 1, -1}, {20010, 19990, 1, -1}},
      {"on the edges", usual, {35648, 10000, 1, -1}, {35658, 9990, 1, -1}},
      {"left of the range", usual, {9000, 20000, -1, 1}, {10010, 20010, 1, 1}},
      {"past the right edge", usual, {35649, 20000, 1, 1}, {35638, 20010, -1, 1}},
      {"above the range", usual, {20000, 9999, 1, -1}, {20010, 10010, 1, 1}},
      {"below the bottom edge", usual, {20000, 32321, 1, 1}, {20010, 32310, 1, -1}},
      {"range moved away", {50000, 40000, 60000, 60000}, {20000, 20000, 1, 1}, {49990, 39990, -1, -1}},
      {"narrower than the window", narrow, {10000, 10000, -1, -1}, {10010, 10010, 1, 1}},
      {"narrower, next iteration", narrow, {10010, 10010, 1, 1}, {9990, 9990, -1, -1}},
  };
  for (const Case& c : cases) {
    Drift drift(c.range);
    drift.motion->SetState({c.before.x, c.before.y, c.before.directionX, c.before.directionY, 10, 10});
    const DriftMotion::Body& body = drift.Step();
    EXPECT_EQ(body.x, c.after.x) << c.name;
    EXPECT_EQ(body.y, c.after.y) << c.name;
    EXPECT_EQ(body.directionX, c.after.directionX) << c.name;
    EXPECT_EQ(body.directionY, c.after.directionY) << c.name;
  }
}

TEST(DriftMotionTest, PublishedPixelsTruncateTowardZeroAndProductsStayExact) {
  // Speeds of 10 without decay, one step from x, y.
  struct Case {
    const char* name;
    Size screen;
    Rect window;
    Range range;
    int32_t x, y, directionX;
    int32_t expectX, targetX, targetY;
  };
  const Range wide{-70000, -70000, 70000, 70000};
  const Case cases[] = {
      {"middle", {1920, 1080}, kPoint, wide, 32757, 32757, 1, 32767, 959, 539},
      {"right edge", {1920, 1080}, kPoint, wide, 65525, -10, 1, 65535, 1920, 0},
      {"negative", {1920, 1080}, kPoint, wide, -110, -71, 1, -100, -2, -1},
      {"other screen", {1280, 1024}, kPoint, wide, 65524, 54, 1, 65534, 1279, 1},
      {"position x W past 2^31", {1920, 1080}, kPoint, {1900000000, 0, 2100000000, 60000}, 2000000000, 90, 1,
       2000000010, 58594644, 1},
      {"published value past 2^31", {100000, 1080}, kPoint, {0, 0, kInt32Max, 60000}, kInt32Max - 100, 90, 1,
       kInt32Max - 90, kInt32Max, 1},
      {"step past the largest position", {1920, 1080}, kPoint, {0, 0, kInt32Max, 60000}, kInt32Max - 5, 90, 1,
       kInt32Max, 62915519, 1},
      {"step past the smallest position", {1920, 1080}, kPoint, {kInt32Min, 0, 0, 60000}, kInt32Min + 5, 90, -1,
       kInt32Min, -62915520, 1},
      // kx = 65535: kx x right passes 2^31, a window wider than any range
      {"kx x right past 2^31", {1, 1080}, {0, 0, 100000, 0}, {1000, 0, 2000000000, 60000}, 5000, 90, 1, 990, 0,
       1},
  };
  for (const Case& c : cases) {
    Drift drift(c.range, 5489, c.screen, c.window);
    drift.motion->SetState({c.x, c.y, c.directionX, 1, 10, 10});
    EXPECT_EQ(drift.Step().x, c.expectX) << c.name;
    EXPECT_EQ(drift.sprite.targetX, c.targetX) << c.name;
    EXPECT_EQ(drift.sprite.targetY, c.targetY) << c.name;
  }
}

TEST(DriftMotionTest, NoScreenSizeMeansNothingMovesOrIsPublished) {
  const Size screens[] = {{0, 1080}, {1920, 0}, {-1920, 1080}, {0, 0}};
  for (const Size& screen : screens) {
    Drift drift({10000, 10000, 40000, 40000}, 5489, screen);
    drift.sprite.targetX = -7;
    drift.sprite.targetY = -7;
    for (int i = 0; i < 5; ++i) drift.Step();
    EXPECT_EQ(drift.sprite.targetX, -7);
    EXPECT_EQ(drift.sprite.targetY, -7);
    EXPECT_EQ(drift.world.screenReads, 6);  // at the start and at every iteration
    EXPECT_EQ(drift.motion->State().x, 25000);

    drift.world.screen = {1920, 1080};
    EXPECT_EQ(drift.Step().speedX, 96);  // the seed's first burst, nothing drawn before
    EXPECT_EQ(drift.sprite.targetX, (25000 + 96) * 1920 / 65535);
    drift.Step();
    EXPECT_EQ(drift.world.screenReads, 7);  // a usable size is kept
  }
}

TEST(DriftMotionTest, StartsAtTheCentreEvenNearTheLimits) {
  const struct {
    Range range;
    int32_t x, y;
  } cases[] = {
      {{10000, 10000, 16000, 19000}, 13000, 14500},
      {{2000000000, 2100000000, 2000000000, 2100000000}, 2000000000, 2100000000},
      {{kInt32Min, kInt32Min, kInt32Max, kInt32Min}, 0, kInt32Min},
      {{-3, -2, 0, 1}, -1, 0},  // halves truncate toward zero
  };
  for (const auto& c : cases) {
    Drift drift(c.range);
    EXPECT_EQ(drift.motion->State().x, c.x) << c.range.left << ".." << c.range.right;
    EXPECT_EQ(drift.motion->State().y, c.y) << c.range.top << ".." << c.range.bottom;
  }
}

}  // namespace
