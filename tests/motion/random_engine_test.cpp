#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "motion/motion_seed.h"
#include "motion/mt19937_engine.h"
#include "motion/random_source.h"
#include "motion/uniform_int.h"

namespace {

TEST(Mt19937EngineTest, YieldsThePublishedSequence) {
  struct Case {
    uint32_t seed;
    int position;  // 1-based index of the output
    uint32_t expected;
  };
  const Case cases[] = {
      {5489, 1, 3499211612u},  {5489, 2, 581869302u},  {5489, 3, 3890346734u},
      {5489, 624, 4020325887u}, {5489, 625, 4178893912u}, {5489, 10000, 4123659995u},
      {1, 1, 1791095845u},     {0, 1, 2357136044u},
  };
  for (const Case& c : cases) {
    Mt19937Engine engine(c.seed);
    uint32_t output = 0;
    for (int i = 0; i < c.position; ++i) output = engine.Next();
    EXPECT_EQ(output, c.expected) << "seed " << c.seed << " output " << c.position;
  }
}

TEST(RandomSourceTest, DrawsFromItsOwnCopyOfTheEngine) {
  Mt19937Engine engine(5489);
  RandomSource<UniformInt> first(engine, UniformInt(50, 100));
  RandomSource<UniformInt> second(engine, UniformInt(50, 100));

  EXPECT_EQ(first.Draw(), 97);
  EXPECT_EQ(first.Draw(), 54);
  EXPECT_EQ(second.Draw(), 97);  // unaffected by the first source's draws
  EXPECT_EQ(engine.Next(), 3499211612u);  // nor is the engine it was made from

  for (int i = 1; i < 620; ++i) engine.Next();  // a copy taken near the end of a block must regenerate too
  Mt19937Engine copy = engine;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(copy.Next(), engine.Next()) << "output " << i;
}

// Sprites set drifting in the same second, in one slot or in two, draw
// speeds, choices and coins of their own; the coin keeps rand's recurrence.
TEST(MotionSeedTest, WorkersStartedInTheSameSecondDrawDifferentSequences) {
  std::set<std::vector<uint32_t>> sequences;  // per seed: engine outputs, coin parities
  for (const int32_t slot : {0, 0, 1}) {
    const uint32_t seed = MotionSeed(1700000000, slot);
    Mt19937Engine engine(seed);
    SignCoin coin(seed);
    std::vector<uint32_t> outputs, parities;
    for (int i = 0; i < 32; ++i) outputs.push_back(engine.Next()), parities.push_back(coin.Toss() % 2);
    sequences.insert(outputs);
    sequences.insert(parities);
  }
  EXPECT_EQ(sequences.size(), 6u);
  SignCoin coin(1);  // rand's own start
  for (const int value : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(coin.Toss(), value);
}

}  // namespace
