#include <gtest/gtest.h>

#include <limits>

#include "sprite/range_conversion.h"

TEST(RangeConversion, PixelsToUnitsTakesTheQuotientFirst) {
  struct Case {
    Rect pixels;
    Size screen;
    MoveRange units;
  };
  const Case cases[] = {
      {{100, 100, 500, 400}, {1920, 1080}, {3400, 6000, 17000, 24000}},
      {{0, 0, 1920, 1080}, {1920, 1080}, {0, 0, 65280, 64800}},
      {{-12, 40, 388, 340}, {1920, 1080}, {-408, 2400, 13192, 20400}},
      {{0, 0, 1280, 1024}, {1280, 1024}, {0, 0, 65280, 64512}},
      // Far past any screen: the products clamp instead of wrapping.
      {{0, 0, 2000000000, -2000000000}, {1920, 1080}, {0, 0, std::numeric_limits<int32_t>::max(),
                                                       std::numeric_limits<int32_t>::min()}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PixelsToRange(c.pixels, c.screen), c.units) << c.pixels.left << "," << c.pixels.top;
  }
  EXPECT_EQ(PixelsToRange({0, 0, 10, 10}, {0, 1080}), std::nullopt);
  EXPECT_EQ(PixelsToRange({0, 0, 10, 10}, {1920, 0}), std::nullopt);
}

TEST(RangeConversion, UnitsToPixelsTakesTheProductFirst) {
  struct Case {
    MoveRange units;
    Size screen;
    Rect pixels;
  };
  const Case cases[] = {
      {{3400, 6000, 17000, 24000}, {1920, 1080}, {99, 98, 99 + 398, 98 + 296}},
      {{16383, 16383, 49151, 49151}, {1920, 1080}, {479, 269, 479 + 960, 269 + 540}},
      {{0, 0, 65535, 65535}, {1920, 1080}, {0, 0, 1920, 1080}},
      {{40000, 0, 10000, 100}, {1920, 1080}, {1171, 0, 1171 - 878, 1}},
      // 1920 * 2000000 overflows 32 bits; the 64-bit product gives the true pixel.
      {{2000000, 0, 2000010, 0}, {1920, 1080}, {58594, 0, 58594, 0}},
      {{0, 0, 10, 10}, {0, 0}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RangeToPixels(c.units, c.screen), c.pixels) << c.units.left << "," << c.units.top;
  }
}
