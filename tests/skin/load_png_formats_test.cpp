// What each kind of PNG becomes: premultiplied blue, green, red, alpha bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "skin/offscreen_surface.h"
#include "support/png_maker.h"
#include "support/test_folder.h"

namespace {

using pngmaker::Image;

constexpr int kGray = PNG_COLOR_TYPE_GRAY;
constexpr int kGrayAlpha = PNG_COLOR_TYPE_GRAY_ALPHA;
constexpr int kRgb = PNG_COLOR_TYPE_RGB;
constexpr int kRgba = PNG_COLOR_TYPE_RGBA;
constexpr int kPalette = PNG_COLOR_TYPE_PALETTE;

Image Make(int colorType, int bitDepth, uint32_t width, std::vector<uint16_t> samples, uint32_t height = 1) {
  Image image;
  image.colorType = colorType;
  image.bitDepth = bitDepth;
  image.width = width;
  image.height = height;
  image.samples = std::move(samples);
  return image;
}

// Every frame's bytes, one after another.
std::vector<uint8_t> Decode(const TestFolder& dir, const Image& image, int32_t frames) {
  const auto path = dir.Path() / "strip.png";
  EXPECT_TRUE(pngmaker::WriteFile(path, pngmaker::Encode(image)));
  OffscreenSurface surface;
  EXPECT_EQ(surface.LoadPng(path.wstring(), frames), 1);
  std::vector<uint8_t> all;
  for (int32_t k = 0; k < surface.FrameCount(); ++k) {
    for (int32_t j = 0; j < surface.FrameHeight(); ++j) {
      const uint8_t* row = surface.FrameRow(k, j);
      all.insert(all.end(), row, row + surface.FrameWidth() * 4);
    }
  }
  return all;
}

TEST(LoadPng, EachFormatDecodesToPremultipliedBgra) {
  const png_color palette[] = {{200, 100, 50}, {255, 255, 255}, {0, 0, 255}};
  const struct {
    std::string name;
    int colorType;
    int bitDepth;
    std::vector<uint16_t> samples;  // one row
    std::vector<uint8_t> expected;  // B, G, R, A per pixel, left to right
    std::vector<uint8_t> paletteAlpha{};
    std::optional<png_color_16> transparentColor{};
  } cases[] = {
      {"rgb", kRgb, 8, {200, 100, 50, 0, 0, 0}, {49, 99, 199, 255, 0, 0, 0, 255}},
      {"rgba", kRgba, 8, {200, 100, 50, 128, 255, 255, 255, 255, 10, 20, 30, 0},
       {25, 50, 100, 128, 254, 254, 254, 255, 0, 0, 0, 0}},
      {"rgba16", kRgba, 16, {0xC8FF, 0x6401, 0x3280, 0x80FF, 0xFFFF, 0xFFFF, 0xFFFF, 0x00FF},
       {25, 50, 100, 128, 0, 0, 0, 0}},
      {"gray1", kGray, 1, {1, 0, 1}, {254, 254, 254, 255, 0, 0, 0, 255, 254, 254, 254, 255}},
      {"gray2", kGray, 2, {1, 2, 3}, {84, 84, 84, 255, 169, 169, 169, 255, 254, 254, 254, 255}},
      {"gray4", kGray, 4, {7, 15}, {118, 118, 118, 255, 254, 254, 254, 255}},
      {"gray8", kGray, 8, {3, 128}, {2, 2, 2, 255, 127, 127, 127, 255}},
      // 16-bit samples keep their high byte: 0x12FF becomes 18, not a rounded 19.
      {"gray16", kGray, 16, {0x12FF, 0xFFFF}, {17, 17, 17, 255, 254, 254, 254, 255}},
      {"gray_alpha", kGrayAlpha, 8, {200, 128, 77, 0}, {100, 100, 100, 128, 0, 0, 0, 0}},
      {"palette", kPalette, 8, {0, 1, 2}, {49, 99, 199, 255, 254, 254, 254, 255, 254, 0, 0, 255}},
      {"palette_trns", kPalette, 8, {0, 1, 2}, {25, 50, 100, 128, 0, 0, 0, 0, 254, 0, 0, 255}, {128, 0}},
      {"palette2_trns", kPalette, 2, {2, 0, 1}, {63, 0, 0, 64, 25, 50, 100, 128, 0, 0, 0, 0}, {128, 0, 64}},
      {"rgb_trns", kRgb, 8, {200, 100, 50, 1, 2, 3}, {49, 99, 199, 255, 0, 0, 0, 0}, {}, png_color_16{0, 1, 2, 3, 0}},
  };
  TestFolder dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Image image = Make(c.colorType, c.bitDepth, uint32_t(c.samples.size() / pngmaker::Channels(c.colorType)),
                       c.samples);
    if (c.colorType == kPalette) image.palette.assign(std::begin(palette), std::end(palette));
    image.paletteAlpha = c.paletteAlpha;
    image.transparentColor = c.transparentColor;
    EXPECT_EQ(Decode(dir, image, 1), c.expected);
  }
}

// exponent: 1 / (file gamma x screen gamma 2.2); a file without gAMA counts as 1/2.
TEST(LoadPng, FileGammaOrHalfAgainstScreen) {
  const struct {
    std::optional<uint32_t> gamma;
    double exponent;
    int tolerance;
  } cases[] = {{std::nullopt, 1 / 1.1, 1}, {pngmaker::kNeutralGamma, 1.0, 0}, {100000, 1 / 2.2, 1}};
  // Samples between 0 and 255 in steps of 5, as an opaque gray RGB ramp.
  std::vector<uint16_t> ramp;
  for (uint16_t x = 0; x < 52; ++x) ramp.insert(ramp.end(), 3, uint16_t(x * 5));
  TestFolder dir;
  for (const auto& c : cases) {
    Image image = Make(kRgb, 8, 52, ramp);
    image.gamma = c.gamma;
    const std::vector<uint8_t> bytes = Decode(dir, image, 1);
    ASSERT_EQ(bytes.size(), 52u * 4);
    for (uint32_t x = 0; x < 52; ++x) {
      const double corrected = std::floor(255 * std::pow(x * 5 / 255.0, c.exponent) + 0.5);
      const int expected = (int(corrected) * 255) >> 8;
      SCOPED_TRACE("exponent " + std::to_string(c.exponent) + ", sample " + std::to_string(x * 5));
      EXPECT_NEAR(bytes[x * 4], expected, c.tolerance);
      EXPECT_EQ(bytes[x * 4], bytes[x * 4 + 2]);
      EXPECT_EQ(bytes[x * 4 + 3], 255);
    }
  }
}

TEST(LoadPng, InterlacedGivesTheSameFramesAsPlain) {
  TestFolder dir;
  for (const auto& [colorType, bitDepth] : {std::pair{kRgba, 8}, {kGray, 2}, {kGrayAlpha, 16}}) {
    SCOPED_TRACE(std::to_string(colorType) + "/" + std::to_string(bitDepth));
    // 13 x 12 pixels that all differ, so a misplaced interlace pass shows.
    std::vector<uint16_t> samples(13 * 12 * pngmaker::Channels(colorType));
    for (uint32_t i = 0; i < samples.size(); ++i) samples[i] = uint16_t((i * 2654435761u >> 7) % (1u << bitDepth));
    Image image = Make(colorType, bitDepth, 13, samples, 12);
    const std::vector<uint8_t> plain = Decode(dir, image, 3);
    ASSERT_EQ(plain.size(), 13u * 12 * 4);
    image.interlaced = true;
    EXPECT_EQ(Decode(dir, image, 3), plain);
  }
}

}  // namespace
