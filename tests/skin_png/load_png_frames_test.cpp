// How a strip is cut into frames and how a surface holds and drops them.
#include <gtest/gtest.h>

#include <string>

#include "skin/offscreen_surface.h"
#include "skin_png/png_maker.h"
#include "skin_png/surface_bytes.h"

namespace {

// An opaque channel value c as stored: (c x 255) >> 8.
uint8_t Opaque(uint32_t c) { return uint8_t((c * 255) >> 8); }

// Red carries the image row, green the column, so every pixel names its place.
std::wstring WriteGrid(const pngmaker::TempDir& dir, const std::string& name, uint32_t width,
                       uint32_t height) {
  const auto path = dir.Path() / name;
  const auto image = pngmaker::Rgba(width, height, [](uint32_t x, uint32_t y) {
    return std::array<uint8_t, 4>{uint8_t(y), uint8_t(x), 7, 255};
  });
  EXPECT_TRUE(pngmaker::WriteFile(path, pngmaker::Encode(image)));
  return path.wstring();
}

TEST(LoadPng, SplitsTheStripTopToBottom) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", 64, 256), 4), 1);
  ASSERT_EQ(surface.FrameCount(), 4);
  EXPECT_EQ(surface.FrameWidth(), 64);
  EXPECT_EQ(surface.FrameHeight(), 64);
  for (int32_t k = 0; k < 4; ++k) {
    const std::vector<uint8_t> bytes = FrameBytes(surface, k);
    for (uint32_t j = 0; j < 64; ++j) {
      for (uint32_t x = 0; x < 64; x += 21) {
        const uint8_t* pixel = &bytes[(j * 64 + x) * 4];
        ASSERT_EQ(pixel[2], Opaque(k * 64 + j)) << "frame " << k << " row " << j;
        ASSERT_EQ(pixel[1], Opaque(x));
      }
    }
  }
}

TEST(LoadPng, FramesAreRowsOfOneBottomUpStrip) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", 16, 40), 2), 1);
  const FrameBitmap& strip = surface.Strip();
  EXPECT_EQ(strip.Width(), 16);
  EXPECT_EQ(strip.Height(), 40);
  EXPECT_EQ(surface.FrameOrigin(1), (Point{0, 20}));
  EXPECT_EQ(surface.FrameRow(1, 0), strip.Row(20));
  EXPECT_EQ(strip.Row(39), strip.Bits());
  // The first bytes in memory are the strip's bottom row, the last frame's.
  EXPECT_EQ(strip.Bits()[2], Opaque(39));
  EXPECT_EQ(surface.FrameRow(2, 0), nullptr);
  EXPECT_EQ(surface.FrameRow(1, 20), nullptr);
}

struct TallCase {
  uint32_t width;
  uint32_t height;
  int32_t frameCount;
};

class TallStrips : public testing::TestWithParam<TallCase> {};

// Only a frame's sides are limited, not the height of the strip holding them.
TEST_P(TallStrips, LoadWhenTheirFramesFit) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  const TallCase& c = GetParam();
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", c.width, c.height), c.frameCount), 1);
  const int32_t frameHeight = int32_t(c.height) / c.frameCount;
  EXPECT_EQ(surface.FrameCount(), c.frameCount);
  EXPECT_EQ(surface.FrameHeight(), frameHeight);
  const int32_t last = c.frameCount - 1;
  EXPECT_EQ(surface.FrameRow(last, 0)[2], Opaque(uint8_t(last * frameHeight)));
  EXPECT_EQ(surface.DecodedBytes(), uint64_t(c.width) * c.height * 4);
}

INSTANTIATE_TEST_SUITE_P(LoadPng, TallStrips,
                         testing::Values(TallCase{128, 129 * 128, 129}, TallCase{1, 16384, 16384},
                                         TallCase{2, 65536, 8}));

struct CountCase {
  int32_t frameCount;
  int result;
  int32_t frameHeight;  // of a 64 x 100 strip when loaded
};

class FrameCounts : public testing::TestWithParam<CountCase> {};

TEST_P(FrameCounts, MustDivideTheHeight) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  const CountCase& c = GetParam();
  EXPECT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", 64, 100), c.frameCount), c.result);
  EXPECT_EQ(surface.FrameCount(), c.result ? c.frameCount : 0);
  EXPECT_EQ(surface.FrameHeight(), c.frameHeight);
  EXPECT_EQ(surface.IsEmpty(), c.result == 0);
  if (c.result) {
    EXPECT_EQ(FrameBytes(surface, c.frameCount - 1)[2], Opaque(100 - c.frameHeight));
  }
}

INSTANTIATE_TEST_SUITE_P(LoadPng, FrameCounts,
                         testing::Values(CountCase{1, 1, 100}, CountCase{4, 1, 25}, CountCase{100, 1, 1},
                                         CountCase{3, 0, 0}, CountCase{0, 0, 0}, CountCase{-1, 0, 0},
                                         CountCase{101, 0, 0}, CountCase{200, 0, 0}));

TEST(LoadPng, MissingPathFailsAndEmpties) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", 8, 8), 1), 1);
  EXPECT_EQ(surface.LoadPng((dir.Path() / "absent.png").wstring(), 1), 0);
  EXPECT_TRUE(surface.IsEmpty());
  EXPECT_FALSE(surface.HasFrame(0));
}

TEST(LoadPng, SecondLoadReplacesTheFirst) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "tall.png", 64, 256), 4), 1);
  const auto path = dir.Path() / "small.png";
  const auto image = pngmaker::Rgba(8, 6, [](uint32_t, uint32_t) {
    return std::array<uint8_t, 4>{0, 0, 255, 255};
  });
  ASSERT_TRUE(pngmaker::WriteFile(path, pngmaker::Encode(image)));
  ASSERT_EQ(surface.LoadPng(path.wstring(), 2), 1);
  EXPECT_EQ(surface.FrameCount(), 2);
  EXPECT_EQ(surface.FrameWidth(), 8);
  EXPECT_EQ(surface.FrameHeight(), 3);
  EXPECT_FALSE(surface.HasFrame(2));
  std::vector<uint8_t> blue;
  for (int i = 0; i < 8 * 3; ++i) blue.insert(blue.end(), {254, 0, 0, 255});
  EXPECT_EQ(FrameBytes(surface, 1), blue);
}

TEST(LoadPng, ReleaseTwiceIsHarmless) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", 8, 8), 1), 1);
  surface.Release();
  EXPECT_TRUE(surface.IsEmpty());
  EXPECT_EQ(surface.FrameWidth(), 0);
  surface.Release();
  EXPECT_TRUE(surface.IsEmpty());
}

TEST(LoadPng, WideCharacterPath) {
  pngmaker::TempDir dir;
  // The file is made through a UTF-8 path, independently of the loader's conversion.
  const auto file = dir.Path() / std::filesystem::path(u8"\u30B9\u30AD\u30F3\U0001F338.png");
  const auto image = pngmaker::Rgba(4, 4, [](uint32_t, uint32_t) {
    return std::array<uint8_t, 4>{1, 2, 3, 255};
  });
  ASSERT_TRUE(pngmaker::WriteFile(file, pngmaker::Encode(image)));
  OffscreenSurface surface;
  EXPECT_EQ(surface.LoadPng(dir.Path().wstring() + L"/\u30B9\u30AD\u30F3\U0001F338.png", 1), 1);
  EXPECT_EQ(surface.FrameCount(), 1);
}

}  // namespace
