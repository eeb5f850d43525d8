// A frame bitmap that cannot be made: the load fails and keeps nothing.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "skin/offscreen_surface.h"
#include "skin_png/png_maker.h"

namespace {

class BitmapFailure : public testing::TestWithParam<int> {
 protected:
  void TearDown() override { headless::FailBitmapsAfter(-1); }
};

TEST_P(BitmapFailure, LoadFailsAndEmpties) {
  pngmaker::TempDir dir;
  const auto path = dir.Path() / "strip.png";
  ASSERT_TRUE(pngmaker::WriteFile(path, pngmaker::Encode(pngmaker::Rgba(8, 32, [](uint32_t, uint32_t) {
    return std::array<uint8_t, 4>{9, 9, 9, 255};
  }))));
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(path.wstring(), 4), 1);

  headless::FailBitmapsAfter(GetParam());
  EXPECT_EQ(surface.LoadPng(path.wstring(), 4), 0);
  EXPECT_TRUE(surface.IsEmpty());
  EXPECT_EQ(surface.CreateFrames(8, 8, 4), 0);
  EXPECT_TRUE(surface.IsEmpty());

  headless::FailBitmapsAfter(-1);
  EXPECT_EQ(surface.LoadPng(path.wstring(), 4), 1);
  EXPECT_EQ(surface.FrameCount(), 4);
}

// Fails the first, second and last of four frames.
INSTANTIATE_TEST_SUITE_P(LoadPng, BitmapFailure, testing::Values(0, 1, 3));

}  // namespace
