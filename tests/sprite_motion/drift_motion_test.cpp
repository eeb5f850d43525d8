#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "sprite/motion_drift.h"
#include "sprite_motion/fake_world.h"

namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

struct Range {
  int32_t left, top, right, bottom;
};

// A sprite whose frame never changes, inside the given range.
void PrepareSprite(SpriteWorkerState& sprite, Range range) {
  sprite.moveRange.Store(range.left, range.top, range.right, range.bottom);
  sprite.frameWait[0] = 100000;
  sprite.frameCount[0] = 1;
}

bool StartsBurst(const DriftMotion::Body& body) {
  return body.speedX * body.speedX + body.speedY * body.speedY <= 25;
}

TEST(DriftMotionTest, FirstBurstsOfSeed5489) {
  // Choices 0.8147, 0.1354, 0.9057, 0.8350: random signs (two coins), aimed
  // (no coin), then random signs twice.
  struct Burst {
    int32_t speedX, speedY;
    int coins;
  };
  const std::vector<Burst> expected = {{97, 54, 2}, {98, 50, 0}, {59, 50, 2}, {86, 51, 2}};

  FakeWorld world;
  world.window = {0, 0, 0, 0};
  const WorkerEnvironment environment = world.Environment();
  SpriteWorkerState sprite;
  PrepareSprite(sprite, {0, 0, 65535, 65535});
  DriftMotion drift(sprite, environment, 5489);

  std::vector<Burst> bursts;
  while (bursts.size() < expected.size()) {
    const bool burst = StartsBurst(drift.State());
    const int coinsBefore = world.coinCalls;
    drift.Iterate();
    if (burst) {
      // The first decay applies before the first move.
      bursts.push_back({drift.State().speedX + 1, drift.State().speedY + 1,
                        world.coinCalls - coinsBefore});
    }
  }
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(bursts[i].speedX, expected[i].speedX) << "burst " << i;
    EXPECT_EQ(bursts[i].speedY, expected[i].speedY) << "burst " << i;
    EXPECT_EQ(bursts[i].coins, expected[i].coins) << "burst " << i;
  }
}

TEST(DriftMotionTest, BurstLengthAndDistance) {
  struct Case {
    uint32_t seed;  // chosen for its first two speeds
    int32_t speedX, speedY;
    int iterations;
    int32_t distanceX, distanceY;
  };
  const Case cases[] = {
      {2180, 50, 100, 95, 1225, 4940},
      {95, 50, 50, 47, 1222, 1222},
  };
  for (const Case& c : cases) {
    FakeWorld world;  // odd coins: random signs come out positive
    world.window = {0, 0, 0, 0};
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, {0, 0, 60000, 60000});
    DriftMotion drift(sprite, environment, c.seed);
    const DriftMotion::Body start = drift.State();  // the centre: aiming keeps +1 too

    drift.Iterate();
    EXPECT_EQ(drift.State().speedX, c.speedX - 1) << c.seed;
    EXPECT_EQ(drift.State().speedY, c.speedY - 1) << c.seed;
    int iterations = 1;
    while (!StartsBurst(drift.State())) {
      drift.Iterate();
      ++iterations;
    }
    EXPECT_EQ(iterations, c.iterations) << c.seed;
    EXPECT_EQ(drift.State().x - start.x, c.distanceX) << c.seed;
    EXPECT_EQ(drift.State().y - start.y, c.distanceY) << c.seed;
  }
}

TEST(DriftMotionTest, NewBurstOnlyWhenTheSpeedHasFallen) {
  struct Case {
    int32_t speedX, speedY;
    bool newBurst;
  };
  const Case cases[] = {{3, 4, true}, {4, 4, false}, {5, 0, true}, {6, 0, false}, {0, 0, true}};
  for (const Case& c : cases) {
    FakeWorld world;
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, {0, 0, 65535, 65535});
    DriftMotion drift(sprite, environment, 5489);
    DriftMotion::Body body = drift.State();
    body.speedX = c.speedX;
    body.speedY = c.speedY;
    drift.SetState(body);

    drift.Iterate();
    const bool drew = drift.State().speedX == 96 && drift.State().speedY == 53;
    EXPECT_EQ(drew, c.newBurst) << c.speedX << ", " << c.speedY;
  }
}

TEST(DriftMotionTest, BurstAimsAtTheCentreOfTheCurrentRange) {
  // Seed 5489's second burst is aimed; the first one is spent beforehand.
  struct Case {
    int32_t x, y;
    int32_t directionX, directionY;
  };
  const Case cases[] = {
      {30000, 30000, 1, 1},  // exactly at the centre: + on both axes
      {30001, 29999, -1, 1},
      {20000, 40000, 1, -1},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    world.window = {0, 0, 0, 0};
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, {0, 0, 65535, 65535});
    DriftMotion drift(sprite, environment, 5489);
    drift.Iterate();
    sprite.moveRange.Store(10000, 10000, 50000, 50000);  // takes effect at once
    DriftMotion::Body body = drift.State();
    body.x = c.x;
    body.y = c.y;
    body.speedX = 0;
    body.speedY = 0;
    drift.SetState(body);

    drift.Iterate();
    EXPECT_EQ(drift.State().directionX, c.directionX) << c.x << ", " << c.y;
    EXPECT_EQ(drift.State().directionY, c.directionY) << c.x << ", " << c.y;
  }
}

TEST(DriftMotionTest, RandomSignsFollowTheCoinParity) {
  struct Case {
    std::vector<int> coins;
    int32_t directionX, directionY;
  };
  const Case cases[] = {
      {{1, 1}, 1, 1}, {{0, 1}, -1, 1}, {{7, 32766}, 1, -1}, {{2, 4}, -1, -1}, {{-3, -4}, 1, -1}};
  for (const Case& c : cases) {
    FakeWorld world;
    world.window = {0, 0, 0, 0};
    world.coins = c.coins;
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, {0, 0, 65535, 65535});
    DriftMotion drift(sprite, environment, 5489);  // first choice 0.8147: random signs

    drift.Iterate();
    EXPECT_EQ(world.coinCalls, 2);
    EXPECT_EQ(drift.State().directionX, c.directionX) << c.coins[0];
    EXPECT_EQ(drift.State().directionY, c.directionY) << c.coins[1];
  }
}

TEST(DriftMotionTest, EdgesHoldTheWindowInsideTheRange) {
  // 128 x 128 on 1920 x 1080 is 4352 x 7680 units: x in 10000..35648 and
  // y in 10000..32320 for the range (10000, 10000, 40000, 40000). Speeds of
  // 10 without decay make each step 10 units.
  struct Case {
    const char* name;
    Range range;
    int32_t x, y, directionX, directionY;
    int32_t expectX, expectY, expectDirectionX, expectDirectionY;
  };
  const Case cases[] = {
      {"inside", {10000, 10000, 40000, 40000}, 20000, 20000, 1, -1, 20010, 19990, 1, -1},
      {"on the edges", {10000, 10000, 40000, 40000}, 35648, 10000, 1, -1, 35658, 9990, 1, -1},
      {"left of the range", {10000, 10000, 40000, 40000}, 9000, 20000, -1, 1, 10010, 20010, 1, 1},
      {"past the right edge", {10000, 10000, 40000, 40000}, 35649, 20000, 1, 1, 35638, 20010, -1, 1},
      {"above the range", {10000, 10000, 40000, 40000}, 20000, 9999, 1, -1, 20010, 10010, 1, 1},
      {"below the bottom edge", {10000, 10000, 40000, 40000}, 20000, 32321, 1, 1, 20010, 32310, 1, -1},
      {"range moved away", {50000, 40000, 60000, 60000}, 20000, 20000, 1, 1, 49990, 39990, -1, -1},
      {"narrower than the window", {10000, 10000, 12000, 12000}, 10000, 10000, -1, -1, 10010, 10010,
       1, 1},
      {"narrower, next iteration", {10000, 10000, 12000, 12000}, 10010, 10010, 1, 1, 9990, 9990, -1,
       -1},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, c.range);
    DriftMotion drift(sprite, environment, 5489);
    drift.SetState({c.x, c.y, c.directionX, c.directionY, 10, 10});

    drift.Iterate();
    const DriftMotion::Body& body = drift.State();
    EXPECT_EQ(body.x, c.expectX) << c.name;
    EXPECT_EQ(body.y, c.expectY) << c.name;
    EXPECT_EQ(body.directionX, c.expectDirectionX) << c.name;
    EXPECT_EQ(body.directionY, c.expectDirectionY) << c.name;
  }
}

TEST(DriftMotionTest, DriftStaysInsideTheRange) {
  // The 128 x 128 window of the example: x up to R - 4352, y up to B - 7680.
  struct Case {
    Range range;
    int32_t startX, startY;
    int32_t lowX, highX, lowY, highY;
  };
  const Case cases[] = {
      {{10000, 10000, 40000, 40000}, 25000, 25000, 10000, 35648, 10000, 32320},
      {{10000, 10000, 16000, 19000}, 13000, 14500, 10000, 11648, 10000, 11320},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    world.coins = {0, 1, 1, 0, 1, 0, 0};
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, c.range);
    DriftMotion drift(sprite, environment, 20240601);
    EXPECT_EQ(drift.State().x, c.startX);
    EXPECT_EQ(drift.State().y, c.startY);

    int32_t lowX = kInt32Max, highX = kInt32Min, lowY = kInt32Max, highY = kInt32Min;
    for (int i = 0; i < 20000; ++i) {
      drift.Iterate();
      lowX = std::min(lowX, drift.State().x);
      highX = std::max(highX, drift.State().x);
      lowY = std::min(lowY, drift.State().y);
      highY = std::max(highY, drift.State().y);
    }
    // One step (at most 99 units) past an edge is possible for one iteration.
    EXPECT_GE(lowX, c.lowX - 99);
    EXPECT_LE(highX, c.highX + 99);
    EXPECT_GE(lowY, c.lowY - 99);
    EXPECT_LE(highY, c.highY + 99);
  }
}

TEST(DriftMotionTest, PublishesPixelsTruncatedTowardZero) {
  struct Case {
    Size screen;
    int32_t x, y;  // position after the step
    int32_t targetX, targetY;
  };
  const Case cases[] = {
      {{1920, 1080}, 32767, 32767, 959, 539},
      {{1920, 1080}, 65535, 0, 1920, 0},
      {{1920, 1080}, -100, -61, -2, -1},
      {{1280, 1024}, 65534, 64, 1279, 1},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    world.screen = c.screen;
    world.window = {0, 0, 0, 0};
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, {-70000, -70000, 70000, 70000});
    DriftMotion drift(sprite, environment, 5489);
    drift.SetState({c.x - 10, c.y - 10, 1, 1, 10, 10});

    drift.Iterate();
    EXPECT_EQ(sprite.targetX, c.targetX) << c.x;
    EXPECT_EQ(sprite.targetY, c.targetY) << c.y;
  }
}

TEST(DriftMotionTest, NoScreenSizeMeansNothingMovesOrIsPublished) {
  struct Case {
    Size screen;
  };
  const Case cases[] = {{{0, 1080}}, {{1920, 0}}, {{-1920, 1080}}, {{0, 0}}};
  for (const Case& c : cases) {
    FakeWorld world;
    world.screen = c.screen;
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, {10000, 10000, 40000, 40000});
    sprite.targetX = -7;
    sprite.targetY = -7;
    DriftMotion drift(sprite, environment, 5489);

    for (int i = 0; i < 5; ++i) drift.Iterate();
    EXPECT_EQ(sprite.targetX, -7);
    EXPECT_EQ(sprite.targetY, -7);
    EXPECT_EQ(world.screenReads, 6);  // at the start and at every iteration
    EXPECT_EQ(drift.State().x, 25000);

    world.screen = {1920, 1080};
    drift.Iterate();
    EXPECT_EQ(drift.State().speedX, 96);  // the seed's first burst, nothing drawn before
    EXPECT_EQ(sprite.targetX, (25000 + 96) * 1920 / 65535);
    drift.Iterate();
    EXPECT_EQ(world.screenReads, 7);  // a usable size is kept
  }
}

TEST(DriftMotionTest, CentreOfRangesNearTheLimits) {
  struct Case {
    Range range;
    int32_t x, y;
  };
  const Case cases[] = {
      {{2000000000, 2100000000, 2000000000, 2100000000}, 2000000000, 2100000000},
      {{kInt32Min, kInt32Min, kInt32Max, kInt32Min}, 0, kInt32Min},
      {{-3, -2, 0, 1}, -1, 0},  // halves truncate toward zero
  };
  for (const Case& c : cases) {
    FakeWorld world;
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, c.range);
    DriftMotion drift(sprite, environment, 5489);
    EXPECT_EQ(drift.State().x, c.x) << c.range.left << ".." << c.range.right;
    EXPECT_EQ(drift.State().y, c.y) << c.range.top << ".." << c.range.bottom;
  }
}

TEST(DriftMotionTest, ProductsBeyond32BitsStayExactOrSaturate) {
  // Speeds of 10 without decay; only the x axis is examined.
  struct Case {
    const char* name;
    Size screen;
    Rect window;
    Range range;
    int32_t x, directionX;
    int32_t expectX, targetX;
  };
  const Case cases[] = {
      {"position x W past 2^31", {1920, 1080}, {0, 0, 0, 0}, {1900000000, 0, 2100000000, 60000},
       2000000000, 1, 2000000010, 58594644},
      {"published value past 2^31", {100000, 1080}, {0, 0, 0, 0}, {0, 0, kInt32Max, 60000},
       kInt32Max - 100, 1, kInt32Max - 90, kInt32Max},
      {"step past the largest position", {1920, 1080}, {0, 0, 0, 0}, {0, 0, kInt32Max, 60000},
       kInt32Max - 5, 1, kInt32Max, 62915519},
      {"step past the smallest position", {1920, 1080}, {0, 0, 0, 0}, {kInt32Min, 0, 0, 60000},
       kInt32Min + 5, -1, kInt32Min, -62915520},
      // kx = 65535: kx x right passes 2^31, a window wider than any range
      {"kx x right past 2^31", {1, 1080}, {0, 0, 100000, 0}, {1000, 0, 2000000000, 60000}, 5000, 1,
       990, 0},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    world.screen = c.screen;
    world.window = c.window;
    const WorkerEnvironment environment = world.Environment();
    SpriteWorkerState sprite;
    PrepareSprite(sprite, c.range);
    DriftMotion drift(sprite, environment, 5489);
    drift.SetState({c.x, 100, c.directionX, 1, 10, 10});

    drift.Iterate();
    EXPECT_EQ(drift.State().x, c.expectX) << c.name;
    EXPECT_EQ(sprite.targetX, c.targetX) << c.name;
  }
}

}  // namespace
