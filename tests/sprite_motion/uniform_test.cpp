#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "sprite/mt19937_engine.h"
#include "sprite/uniform_int.h"
#include "sprite/uniform_real.h"

namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// Outputs 1..5 of the engine seeded with 5489:
// 3499211612, 581869302, 3890346734, 3586334585, 545404204.
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
  struct Case {
    double min;
    double max;
    std::vector<double> draws;
  };
  const Case cases[] = {
      {0.0, 1.0, {3499211612 / 4294967296.0, 581869302 / 4294967296.0, 3890346734 / 4294967296.0,
                  3586334585 / 4294967296.0}},
      {-2.0, 2.0, {3499211612 / 1073741824.0 - 2.0}},
  };
  for (const Case& c : cases) {
    Mt19937Engine engine(5489);
    const UniformReal distribution(c.min, c.max);
    for (double expected : c.draws) EXPECT_DOUBLE_EQ(distribution.Draw(engine), expected);
  }
  Mt19937Engine engine(5489);
  EXPECT_NEAR(UniformReal(0.0, 1.0).Draw(engine), 0.8147236919, 1e-10);
}

}  // namespace
