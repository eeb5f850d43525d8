// How a strip is cut into frames and how a surface holds and drops them.
#include <gtest/gtest.h>

#include <string>

#include "skin/offscreen_surface.h"
#include "support/png_maker.h"
#include "support/test_folder.h"

namespace {

using Kind = PngLoadErrorKind;

// An opaque channel value c as stored: (c x 255) >> 8.
uint8_t Opaque(uint32_t c) { return uint8_t((c * 255) >> 8); }

// Red carries the image row, green the column, so every pixel names its place.
std::wstring WriteGrid(const TestFolder& dir, const std::string& name, uint32_t width, uint32_t height) {
  const auto path = dir.Path() / name;
  const auto image = pngmaker::Rgba(width, height, [](uint32_t x, uint32_t y) {
    return std::array<uint8_t, 4>{uint8_t(y), uint8_t(x), 7, 255};
  });
  EXPECT_TRUE(pngmaker::WriteFile(path, pngmaker::Encode(image)));
  return path.wstring();
}

// Each frame of a strip holds its own rows, top to bottom; only a frame's sides
// are limited, not the height of the strip holding them.
TEST(LoadPng, FrameCountMustDivideTheHeight) {
  TestFolder dir;
  const struct {
    uint32_t width;
    uint32_t height;
    int32_t frameCount;
    Kind kind;
  } cases[] = {{64, 100, 1, Kind::None}, {64, 100, 4, Kind::None}, {64, 100, 100, Kind::None},
               {64, 100, 3, Kind::HeightNotMultiple}, {64, 100, 0, Kind::BadFrameCount},
               {64, 100, -1, Kind::BadFrameCount}, {64, 100, 101, Kind::HeightNotMultiple},
               {64, 100, 200, Kind::HeightNotMultiple}, {128, 129 * 128, 129, Kind::None},
               {1, 16384, 16384, Kind::None}, {2, 65536, 8, Kind::None}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.height) + " / " + std::to_string(c.frameCount));
    OffscreenSurface surface;
    PngLoadError error;
    const bool loads = c.kind == Kind::None;
    const int32_t frameHeight = loads ? int32_t(c.height) / c.frameCount : 0;
    EXPECT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", c.width, c.height), c.frameCount, &error), int(loads));
    EXPECT_EQ(error.kind, c.kind);
    if (!loads) {
      EXPECT_EQ(error.width, c.width);
      EXPECT_EQ(error.height, c.height);
    }
    EXPECT_EQ(surface.IsEmpty(), !loads);
    EXPECT_EQ(surface.FrameCount(), loads ? c.frameCount : 0);
    EXPECT_EQ(surface.FrameWidth(), loads ? int32_t(c.width) : 0);
    EXPECT_EQ(surface.FrameHeight(), frameHeight);
    EXPECT_EQ(surface.DecodedBytes(), loads ? uint64_t(c.width) * c.height * 4 : 0u);
    for (int32_t k = 0; k < surface.FrameCount(); ++k) {
      for (int32_t j = 0; j < surface.FrameHeight(); ++j) {
        for (uint32_t x = 0; x < c.width; x += 21) {
          const uint8_t* pixel = surface.FrameRow(k, j) + x * 4;
          ASSERT_EQ(pixel[2], Opaque(uint8_t(k * frameHeight + j))) << "frame " << k << " row " << j;
          ASSERT_EQ(pixel[1], Opaque(x));
        }
      }
    }
  }
}

// A second load replaces the first; frames are rows of one bottom-up strip; release empties.
TEST(LoadPng, SecondLoadReplacesTheFirstStrip) {
  TestFolder dir;
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "tall.png", 64, 256), 4), 1);
  ASSERT_EQ(surface.LoadPng(WriteGrid(dir, "strip.png", 16, 40), 2), 1);
  EXPECT_EQ(surface.FrameCount(), 2);
  EXPECT_EQ(surface.FrameWidth(), 16);
  EXPECT_EQ(surface.FrameHeight(), 20);
  EXPECT_FALSE(surface.HasFrame(2));
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
  // A second release of the emptied surface is harmless.
  for (int i = 0; i < 2; ++i) {
    surface.Release();
    EXPECT_TRUE(surface.IsEmpty());
    EXPECT_EQ(surface.FrameWidth(), 0);
  }
}

TEST(LoadPng, WideCharacterPath) {
  TestFolder dir;
  // The file is made through a UTF-8 path, independently of the loader's conversion.
  const auto file = dir.Path() / std::filesystem::path(u8"\u30B9\u30AD\u30F3\U0001F338.png");
  ASSERT_TRUE(pngmaker::WriteFile(file, pngmaker::Encode(pngmaker::Rgba(4, 4, [](uint32_t, uint32_t) {
    return std::array<uint8_t, 4>{1, 2, 3, 255};
  }))));
  OffscreenSurface surface;
  EXPECT_EQ(surface.LoadPng(dir.Path().wstring() + L"/\u30B9\u30AD\u30F3\U0001F338.png", 1), 1);
}

// Sizes a surface refuses before allocating anything.
TEST(CreateFrames, RefusedSizesReportFailure) {
  const int32_t cases[][3] = {{0, 4, 1},       {4, 0, 1},         {4, 4, 0},         {-4, 4, 1},
                              {16385, 1, 1},   {1, 16385, 1},     {16384, 16384, 1}, {4096, 4096, 5},
                              {16384, 16384, INT32_MAX}};
  for (const auto& c : cases) {
    OffscreenSurface surface;
    ASSERT_EQ(surface.CreateFrames(4, 4, 2), 1);
    EXPECT_EQ(surface.CreateFrames(c[0], c[1], c[2]), 0) << c[0] << " x " << c[1] << " x " << c[2];
    EXPECT_TRUE(surface.IsEmpty());
  }
}

}  // namespace
