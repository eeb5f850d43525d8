// Sizes a surface refuses before allocating anything.
#include <gtest/gtest.h>

#include <cstdint>

#include "skin/offscreen_surface.h"

namespace {

struct SizeCase {
  int32_t width;
  int32_t frameHeight;
  int32_t frameCount;
};

class RefusedSizes : public testing::TestWithParam<SizeCase> {};

TEST_P(RefusedSizes, CreateFramesReportsFailure) {
  OffscreenSurface surface;
  ASSERT_EQ(surface.CreateFrames(4, 4, 2), 1);
  const SizeCase& c = GetParam();
  EXPECT_EQ(surface.CreateFrames(c.width, c.frameHeight, c.frameCount), 0);
  EXPECT_TRUE(surface.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(CreateFrames, RefusedSizes,
                         testing::Values(SizeCase{0, 4, 1}, SizeCase{4, 0, 1}, SizeCase{4, 4, 0},
                                         SizeCase{-4, 4, 1}, SizeCase{16385, 1, 1}, SizeCase{1, 16385, 1},
                                         SizeCase{16384, 16384, 1}, SizeCase{4096, 4096, 5},
                                         SizeCase{16384, 16384, INT32_MAX}));

}  // namespace
