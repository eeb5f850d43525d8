// What each kind of PNG becomes: premultiplied blue, green, red, alpha bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "skin/offscreen_surface.h"
#include "skin_png/png_maker.h"
#include "skin_png/surface_bytes.h"

namespace {

using pngmaker::Image;

Image Make(int colorType, int bitDepth, uint32_t width, std::vector<uint16_t> samples) {
  Image image;
  image.colorType = colorType;
  image.bitDepth = bitDepth;
  image.width = width;
  image.height = 1;
  image.samples = std::move(samples);
  return image;
}

Image WithPalette(Image image, std::vector<png_color> palette, std::vector<uint8_t> alpha = {}) {
  image.palette = std::move(palette);
  image.paletteAlpha = std::move(alpha);
  return image;
}

Image Interlaced(Image image) {
  image.interlaced = true;
  return image;
}

std::vector<uint8_t> Decode(const pngmaker::TempDir& dir, const Image& image, int32_t frames) {
  const auto path = dir.Path() / "strip.png";
  EXPECT_TRUE(pngmaker::WriteFile(path, pngmaker::Encode(image)));
  OffscreenSurface surface;
  EXPECT_EQ(surface.LoadPng(path.wstring(), frames), 1);
  std::vector<uint8_t> all;
  for (int32_t k = 0; k < surface.FrameCount(); ++k) {
    const std::vector<uint8_t> bytes = FrameBytes(surface, k);
    all.insert(all.end(), bytes.begin(), bytes.end());
  }
  return all;
}

struct FormatCase {
  std::string name;
  Image image;
  std::vector<uint8_t> expected;  // B, G, R, A per pixel, left to right
};

class PngFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(PngFormats, DecodeToPremultipliedBgra) {
  pngmaker::TempDir dir;
  EXPECT_EQ(Decode(dir, GetParam().image, 1), GetParam().expected);
}

const png_color kOrange = {200, 100, 50};
const png_color kWhite = {255, 255, 255};
const png_color kBlue = {0, 0, 255};

INSTANTIATE_TEST_SUITE_P(
    LoadPng, PngFormats,
    testing::Values(
        FormatCase{"rgb", Make(PNG_COLOR_TYPE_RGB, 8, 2, {200, 100, 50, 0, 0, 0}),
                   {49, 99, 199, 255, 0, 0, 0, 255}},
        FormatCase{"rgba",
                   Make(PNG_COLOR_TYPE_RGBA, 8, 3, {200, 100, 50, 128, 255, 255, 255, 255, 10, 20, 30, 0}),
                   {25, 50, 100, 128, 254, 254, 254, 255, 0, 0, 0, 0}},
        FormatCase{"rgba16",
                   Make(PNG_COLOR_TYPE_RGBA, 16, 2,
                        {0xC8FF, 0x6401, 0x3280, 0x80FF, 0xFFFF, 0xFFFF, 0xFFFF, 0x00FF}),
                   {25, 50, 100, 128, 0, 0, 0, 0}},
        FormatCase{"gray1", Make(PNG_COLOR_TYPE_GRAY, 1, 3, {1, 0, 1}),
                   {254, 254, 254, 255, 0, 0, 0, 255, 254, 254, 254, 255}},
        FormatCase{"gray2", Make(PNG_COLOR_TYPE_GRAY, 2, 3, {1, 2, 3}),
                   {84, 84, 84, 255, 169, 169, 169, 255, 254, 254, 254, 255}},
        FormatCase{"gray4", Make(PNG_COLOR_TYPE_GRAY, 4, 2, {7, 15}),
                   {118, 118, 118, 255, 254, 254, 254, 255}},
        FormatCase{"gray8", Make(PNG_COLOR_TYPE_GRAY, 8, 2, {3, 128}),
                   {2, 2, 2, 255, 127, 127, 127, 255}},
        // 16-bit samples keep their high byte: 0x12FF becomes 18, not a rounded 19.
        FormatCase{"gray16", Make(PNG_COLOR_TYPE_GRAY, 16, 2, {0x12FF, 0xFFFF}),
                   {17, 17, 17, 255, 254, 254, 254, 255}},
        FormatCase{"gray_alpha", Make(PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, {200, 128, 77, 0}),
                   {100, 100, 100, 128, 0, 0, 0, 0}},
        FormatCase{"palette",
                   WithPalette(Make(PNG_COLOR_TYPE_PALETTE, 8, 3, {0, 1, 2}), {kOrange, kWhite, kBlue}),
                   {49, 99, 199, 255, 254, 254, 254, 255, 254, 0, 0, 255}},
        FormatCase{"palette_trns",
                   WithPalette(Make(PNG_COLOR_TYPE_PALETTE, 8, 3, {0, 1, 2}), {kOrange, kWhite, kBlue},
                               {128, 0}),
                   {25, 50, 100, 128, 0, 0, 0, 0, 254, 0, 0, 255}},
        FormatCase{"palette2_trns",
                   WithPalette(Make(PNG_COLOR_TYPE_PALETTE, 2, 3, {2, 0, 1}), {kOrange, kWhite, kBlue},
                               {128, 0, 64}),
                   {63, 0, 0, 64, 25, 50, 100, 128, 0, 0, 0, 0}},
        FormatCase{"rgb_trns",
                   [] {
                     Image image = Make(PNG_COLOR_TYPE_RGB, 8, 2, {200, 100, 50, 1, 2, 3});
                     image.transparentColor = png_color_16{0, 1, 2, 3, 0};
                     return image;
                   }(),
                   {49, 99, 199, 255, 0, 0, 0, 0}},
        FormatCase{"rgba_interlaced",
                   Interlaced(Make(PNG_COLOR_TYPE_RGBA, 8, 2, {200, 100, 50, 128, 1, 2, 3, 0})),
                   {25, 50, 100, 128, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

// Samples between 0 and 255 in steps of 5, as an opaque gray RGB ramp.
Image Ramp(std::optional<uint32_t> gamma) {
  Image image;
  image.colorType = PNG_COLOR_TYPE_RGB;
  image.width = 52;
  image.height = 1;
  image.gamma = gamma;
  for (uint32_t x = 0; x < image.width; ++x) {
    image.samples.insert(image.samples.end(), 3, uint16_t(x * 5));
  }
  return image;
}

// exponent: 1 / (file gamma x screen gamma 2.2); a file without gAMA counts as 1/2.
TEST(LoadPng, FileGammaOrHalfAgainstScreen) {
  const struct {
    std::optional<uint32_t> gamma;
    double exponent;
    int tolerance;
  } cases[] = {{std::nullopt, 1 / 1.1, 1}, {pngmaker::kNeutralGamma, 1.0, 0}, {100000, 1 / 2.2, 1}};
  pngmaker::TempDir dir;
  for (const auto& c : cases) {
    const std::vector<uint8_t> bytes = Decode(dir, Ramp(c.gamma), 1);
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

// An image whose every pixel differs, so a misplaced interlace pass shows.
Image Varied(int colorType, int bitDepth, bool interlaced) {
  Image image;
  image.colorType = colorType;
  image.bitDepth = bitDepth;
  image.interlaced = interlaced;
  image.width = 13;
  image.height = 12;
  const int channels = pngmaker::Channels(colorType);
  const uint32_t maxSample = (1u << bitDepth) - 1;
  for (uint32_t i = 0; i < image.width * image.height * channels; ++i) {
    image.samples.push_back(uint16_t((i * 2654435761u >> 7) % (maxSample + 1)));
  }
  return image;
}

TEST(LoadPng, InterlacedGivesTheSameFramesAsPlain) {
  pngmaker::TempDir dir;
  const std::pair<int, int> kinds[] = {
      {PNG_COLOR_TYPE_RGBA, 8}, {PNG_COLOR_TYPE_GRAY, 2}, {PNG_COLOR_TYPE_GRAY_ALPHA, 16}};
  for (const auto& [colorType, bitDepth] : kinds) {
    SCOPED_TRACE(std::to_string(colorType) + "/" + std::to_string(bitDepth));
    const std::vector<uint8_t> plain = Decode(dir, Varied(colorType, bitDepth, false), 3);
    ASSERT_EQ(plain.size(), 13u * 12 * 4);
    EXPECT_EQ(Decode(dir, Varied(colorType, bitDepth, true), 3), plain);
  }
}

}  // namespace
