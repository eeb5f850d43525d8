// Corrupt, truncated, foreign and oversized files: 0, an empty surface, the file closed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "skin/offscreen_surface.h"
#include "skin_png/png_maker.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A 64 x 64 strip of noise, so its image data spans many bytes.
Bytes GoodStrip() {
  return pngmaker::Encode(pngmaker::Rgba(64, 64, [](uint32_t x, uint32_t y) {
    const uint32_t h = (x * 73856093u) ^ (y * 19349663u);
    return std::array<uint8_t, 4>{uint8_t(h), uint8_t(h >> 8), uint8_t(h >> 16), uint8_t(h >> 24)};
  }));
}

size_t Idat(const Bytes& png) { return pngmaker::FindChunk(png, "IDAT"); }

Bytes Truncated(size_t keep) {
  Bytes png = GoodStrip();
  png.resize(keep);
  return png;
}

Bytes TruncatedInIdat(double fraction, int fromEnd = 0) {
  Bytes png = GoodStrip();
  const size_t idat = Idat(png);
  const size_t length = pngmaker::ChunkDataLength(png, idat);
  png.resize(idat + 8 + size_t(length * fraction) + 4 - fromEnd);
  return png;
}

Bytes Flipped(size_t (*where)(const Bytes&), bool fixCrc) {
  Bytes png = GoodStrip();
  const size_t idat = Idat(png);
  png.at(where(png)) ^= 0x5A;
  if (fixCrc) pngmaker::FixCrc(png, idat);
  return png;
}

#ifdef __linux__
// Descriptors this process holds open, to see that a failed load closed its file.
int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}
#endif

struct BadCase {
  std::string name;
  std::function<Bytes()> bytes;
  int32_t frameCount = 1;
};

class BadPng : public testing::TestWithParam<BadCase> {};

TEST_P(BadPng, FailsEmptyAndClosed) {
  pngmaker::TempDir dir;
  const auto good = dir.Path() / "good.png";
  const auto bad = dir.Path() / "bad.png";
  ASSERT_TRUE(pngmaker::WriteFile(good, GoodStrip()));
  ASSERT_TRUE(pngmaker::WriteFile(bad, GetParam().bytes()));
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(good.wstring(), 1), 1);
#ifdef __linux__
  const int descriptors = OpenDescriptors();
#endif

  EXPECT_EQ(surface.LoadPng(bad.wstring(), GetParam().frameCount), 0);
  EXPECT_TRUE(surface.IsEmpty());
  EXPECT_EQ(surface.FrameCount(), 0);
  EXPECT_FALSE(surface.HasFrame(0));
#ifdef __linux__
  EXPECT_EQ(OpenDescriptors(), descriptors);
#endif
  // Windows refuses to delete a file that is still open.
  EXPECT_TRUE(std::filesystem::remove(bad));
}

INSTANTIATE_TEST_SUITE_P(
    LoadPng, BadPng,
    testing::Values(
        BadCase{"empty_file", [] { return Truncated(0); }},
        BadCase{"cut_in_signature", [] { return Truncated(5); }},
        BadCase{"cut_after_signature", [] { return Truncated(8); }},
        BadCase{"cut_in_header", [] { return Truncated(20); }},
        BadCase{"cut_after_header", [] { return Truncated(33); }},
        BadCase{"cut_in_data_length", [] { return TruncatedInIdat(0, 10); }},
        BadCase{"cut_early_in_data", [] { return TruncatedInIdat(0.1); }},
        BadCase{"cut_mid_data", [] { return TruncatedInIdat(0.5); }},
        BadCase{"cut_in_data_crc", [] { return TruncatedInIdat(1.0, 2); }},
        BadCase{"bad_header_crc", [] { return Flipped([](const Bytes&) -> size_t { return 29; }, false); }},
        BadCase{"bad_data_crc",
                [] { return Flipped([](const Bytes& png) { return Idat(png) + 8 + 100; }, false); }},
        BadCase{"bad_deflate_good_crc",
                [] { return Flipped([](const Bytes& png) { return Idat(png) + 8; }, true); }},
        BadCase{"not_a_png", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}; }},
        BadCase{"text_file", [] {
                  const std::string text = "[Default]\nFile=a.png\n";
                  return Bytes(text.begin(), text.end());
                }},
        BadCase{"claims_100000_square", [] { return pngmaker::HeaderOnly(100000, 100000); }},
        BadCase{"claims_100000_square_in_frames", [] { return pngmaker::HeaderOnly(100000, 100000); }, 4},
        BadCase{"claims_16385_wide", [] { return pngmaker::HeaderOnly(16385, 1); }},
        BadCase{"claims_a_gibibyte", [] { return pngmaker::HeaderOnly(16384, 16384); }},
        BadCase{"claims_zero_width", [] { return pngmaker::HeaderOnly(0, 64); }}),
    [](const testing::TestParamInfo<BadCase>& info) { return info.param.name; });

TEST(LoadPng, FolderIsNotAStrip) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  EXPECT_EQ(surface.LoadPng(dir.Path().wstring(), 1), 0);
  EXPECT_TRUE(surface.IsEmpty());
}

}  // namespace
