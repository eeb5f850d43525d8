// Missing, corrupt, truncated, foreign and oversized strips: 0, an empty
// surface, the file closed, and the reason for the checker.
#include <gtest/gtest.h>

#include <string>

#include "skin/offscreen_surface.h"
#include "support/png_maker.h"
#include "support/test_folder.h"
#ifndef _WIN32
#include "platform/headless/headless.h"
#endif

namespace {

using Bytes = std::vector<uint8_t>;
using Kind = PngLoadErrorKind;
using pngmaker::HeaderOnly;

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

// Cut that fraction of the way into the image data, then fromEnd bytes earlier.
Bytes TruncatedInIdat(double fraction, int fromEnd = 0) {
  Bytes png = GoodStrip();
  const size_t idat = Idat(png);
  png.resize(idat + 8 + size_t(pngmaker::ChunkDataLength(png, idat) * fraction) + 4 - fromEnd);
  return png;
}

// One byte changed at that offset from the file's start, or from the image data's.
Bytes Flipped(size_t at, bool inData, bool fixCrc = false) {
  Bytes png = GoodStrip();
  const size_t idat = Idat(png);
  png.at((inData ? idat + 8 : 0) + at) ^= 0x5A;
  if (fixCrc) pngmaker::FixCrc(png, idat);
  return png;
}

// Stands for a folder where the strip should be.
Bytes Folder() { return {}; }

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
  Bytes (*bytes)();  // null: no file at all
  Kind kind;
  uint32_t width = 0;  // as the header claims; 0 x 0 when it was never read
  uint32_t height = 0;
  int32_t frameCount = 1;
  uint64_t budget = kMaxSpriteBytes;  // what the sprite has left
  std::string messagePart{};          // in libpng's words
};

class BadPng : public testing::TestWithParam<BadCase> {};

TEST_P(BadPng, FailsEmptyClosedAndSaysWhy) {
  const BadCase& c = GetParam();
  TestFolder dir;
  const auto good = dir.Path() / "good.png";
  const auto bad = dir.Path() / "bad.png";
  ASSERT_TRUE(pngmaker::WriteFile(good, GoodStrip()));
  if (c.bytes == Folder) {
    std::filesystem::create_directory(bad);
  } else if (c.bytes) {
    ASSERT_TRUE(pngmaker::WriteFile(bad, c.bytes()));
  }
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(good.wstring(), 1), 1);
#ifdef __linux__
  const int descriptors = OpenDescriptors();
#endif
  PngLoadError error;

  EXPECT_EQ(surface.LoadPng(bad.wstring(), c.frameCount, &error, c.budget), 0);
  EXPECT_TRUE(surface.IsEmpty());
  EXPECT_EQ(surface.FrameCount(), 0);
  EXPECT_FALSE(surface.HasFrame(0));
  EXPECT_EQ(error.kind, c.kind);
  EXPECT_EQ(error.width, c.width);
  EXPECT_EQ(error.height, c.height);
  if (c.kind == Kind::OverBudget) {
    EXPECT_EQ(error.bytes, 64u * 64 * 4);
    EXPECT_EQ(error.budget, c.budget);
  }
  EXPECT_NE(error.message.find(c.messagePart), std::string::npos) << error.message;
#ifdef __linux__
  EXPECT_EQ(OpenDescriptors(), descriptors);
#endif
  // Windows refuses to delete a file that is still open.
  EXPECT_EQ(std::filesystem::remove(bad), c.bytes != nullptr);
  // A later success leaves no reason behind.
  EXPECT_EQ(surface.LoadPng(good.wstring(), 1, &error), 1);
  EXPECT_EQ(error.kind, Kind::None);
  EXPECT_TRUE(error.message.empty());
}

INSTANTIATE_TEST_SUITE_P(
    LoadPng, BadPng,
    testing::Values(
        BadCase{"no_file", nullptr, Kind::NotFound}, BadCase{"a_folder", Folder, Kind::Unreadable},
        BadCase{"empty_file", [] { return Truncated(0); }, Kind::NotPng},
        BadCase{"cut_in_signature", [] { return Truncated(5); }, Kind::NotPng},
        BadCase{"cut_after_signature", [] { return Truncated(8); }, Kind::Corrupt},
        BadCase{"cut_in_header", [] { return Truncated(20); }, Kind::Corrupt},
        BadCase{"cut_after_header", [] { return Truncated(33); }, Kind::Corrupt},
        BadCase{"cut_in_data_length", [] { return TruncatedInIdat(0, 10); }, Kind::Corrupt},
        BadCase{"cut_early_in_data", [] { return TruncatedInIdat(0.1); }, Kind::Corrupt, 64, 64},
        BadCase{"cut_mid_data", [] { return TruncatedInIdat(0.5); }, Kind::Corrupt, 64, 64},
        BadCase{"cut_in_data_crc", [] { return TruncatedInIdat(1.0, 2); }, Kind::Corrupt, 64, 64},
        BadCase{"bad_header_crc", [] { return Flipped(29, false); }, Kind::Corrupt, 0, 0, 1, kMaxSpriteBytes, "CRC"},
        BadCase{"bad_data_crc", [] { return Flipped(100, true); }, Kind::Corrupt, 64, 64},
        BadCase{"bad_deflate_good_crc", [] { return Flipped(0, true, true); }, Kind::Corrupt, 64, 64},
        BadCase{"not_a_png", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}; }, Kind::NotPng},
        BadCase{"zero_width", [] { return HeaderOnly(0, 64); }, Kind::Corrupt},
        BadCase{"frame_16385_wide", [] { return HeaderOnly(16385, 2); }, Kind::FrameTooLarge, 16385, 2, 2},
        BadCase{"frame_16385_high", [] { return HeaderOnly(1, 32770); }, Kind::FrameTooLarge, 1, 32770, 2},
        // Past libpng's own default limit too: still our limit that refuses it.
        BadCase{"frame_2000000_high", [] { return HeaderOnly(1, 2000000); }, Kind::FrameTooLarge, 1, 2000000},
        BadCase{"frame_100000_square", [] { return HeaderOnly(100000, 100000); }, Kind::FrameTooLarge, 100000,
                100000, 4},
        BadCase{"a_gibibyte", [] { return HeaderOnly(16384, 16384); }, Kind::TooLarge, 16384, 16384},
        BadCase{"tall_strip_over_256_mib", [] { return HeaderOnly(1024, 65540); }, Kind::TooLarge, 1024, 65540, 5},
        BadCase{"over_the_sprites_budget", GoodStrip, Kind::OverBudget, 64, 64, 1, 64 * 64 * 4 - 1}),
    [](const testing::TestParamInfo<BadCase>& info) { return info.param.name; });

#ifndef _WIN32
// Bitmap failure can only be staged on the headless backend.
TEST(LoadPng, StripThatCannotBeMadeIsOutOfMemory) {
  TestFolder dir;
  const auto path = dir.Path() / "strip.png";
  ASSERT_TRUE(pngmaker::WriteFile(path, GoodStrip()));
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(path.wstring(), 2), 1);
  PngLoadError error;
  headless::FailNth(headless::Resource::Bitmap, 1);

  EXPECT_EQ(surface.LoadPng(path.wstring(), 2, &error), 0);
  EXPECT_TRUE(surface.IsEmpty());
  EXPECT_EQ(error.kind, Kind::OutOfMemory);
  EXPECT_EQ(error.width, 64u);
  EXPECT_EQ(error.height, 64u);
}
#endif

}  // namespace
