#include <gtest/gtest.h>

#include <limits>

#include "motion/range_conversion.h"

TEST(RangeConversion, AnAcceptedRectangleReadsBackExactlyAtAnyScreenSize) {
  const Size screens[] = {{1920, 1080}, {1280, 1024}, {1366, 768}, {3840, 2160}, {7, 3}, {1, 1}, {65535, 65535}};
  for (const Size& screen : screens) {
    // Positions and sizes on and around the screen, negative ones too.
    for (int32_t p = -screen.cx - 2; p <= screen.cx + 2; p += 1 + screen.cx / 1000) {
      const Rect rect{p, -p, p + screen.cx - p / 2, -p + p % 2};  // heights 1, 0 and -1
      EXPECT_EQ(RangeToPixels(PixelsToRange(rect, screen).value(), screen), rect) << screen.cx << " at " << p;
    }
  }
  // The stored values, as the end-to-end checks read them from config.ini.
  EXPECT_EQ(PixelsToRange({100, 100, 500, 400}, {1920, 1080}), (MoveRange{3414, 6069, 17068, 24274}));
  EXPECT_EQ(PixelsToRange({-12, 40, 388, 340}, {1920, 1080}), (MoveRange{-410, 2428, 13244, 20633}));
  // Far past any screen: the sums clamp instead of wrapping.
  EXPECT_EQ(PixelsToRange({0, 0, 2000000000, -2000000000}, {1920, 1080}),
            (MoveRange{0, 0, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}));
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
