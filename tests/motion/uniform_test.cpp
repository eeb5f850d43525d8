#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "motion/mt19937_engine.h"
#include "motion/uniform_int.h"
#include "motion/uniform_real.h"

namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// Outputs 1..5 of the engine seeded with 5489.
constexpr uint32_t kOutputs[] = {3499211612u, 581869302u, 3890346734u, 3586334585u, 545404204u};

TEST(UniformIntTest, ReducesEngineOutputsByTheFixedRules) {
  struct Case {
    const char* name;
    int32_t min;
    int32_t max;
    std::vector<int32_t> draws;
    int outputsConsumed;
  };
  const Case cases[] = {
      // factor 65536: (output >> 16) % 51 + 50
      {"speeds", 50, 100, {97, 54, 98}, 3},
      {"single value draws nothing", 1, 1, {1, 1, 1}, 0},
      {"negative bounds, factor 2^23", -5, -1, {-3, -1, -2}, 3},
      {"power of two, factor 2^29", 0, 3, {2, 1, 3}, 3},
      {"straddling zero, factor 64", -1000, 1000, {858, 164, -711}, 3},
      {"widest range: output + min", kInt32Min, kInt32Max, {1351727964}, 1},
      {"eleven values, factor 2^21", 0, 10, {7, 2, 7}, 3},
      {"an output equal to the range is kept", kInt32Min, 1351727964, {1351727964}, 1},
      {"(2^32-1)/range is 5: still one output", 0, 858993459, {31618886, 290934651}, 2},
      {"(2^32-1)/range is 4: outputs above range are drawn again", 0, 858993460,
       {581869302, 545404204}, 5},
  };
  for (const Case& c : cases) {
    Mt19937Engine engine(5489);
    const UniformInt distribution(c.min, c.max);
    for (int32_t expected : c.draws) EXPECT_EQ(distribution.Draw(engine), expected) << c.name;

    Mt19937Engine reference(5489);
    for (int i = 0; i < c.outputsConsumed; ++i) reference.Next();
    EXPECT_EQ(engine.Next(), reference.Next()) << c.name << ": outputs consumed";
  }
}

TEST(UniformRealTest, ScalesOneOutputPerDraw) {
  Mt19937Engine engine(5489);
  const UniformReal unit(0.0, 1.0);
  for (uint32_t output : kOutputs) EXPECT_DOUBLE_EQ(unit.Draw(engine), output / 4294967296.0);
  Mt19937Engine other(5489);
  EXPECT_DOUBLE_EQ(UniformReal(-2.0, 2.0).Draw(other), kOutputs[0] / 1073741824.0 - 2.0);
}

}  // namespace
