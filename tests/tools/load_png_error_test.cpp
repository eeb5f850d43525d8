// LoadPng's reason for a failed strip: the kind, libpng's words and the size.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "skin/offscreen_surface.h"
#include "tools/skin_tree.h"
#ifndef _WIN32
#include "platform/headless/headless.h"
#endif

namespace {

using skintest::Bytes;

Bytes WithByteFlipped(Bytes png, size_t at) {
  png.at(at) ^= 0x5A;
  return png;
}

Bytes Truncated(Bytes png, size_t keep) {
  png.resize(keep);
  return png;
}

struct ErrorCase {
  std::string name{};
  // Empty: no file at all.
  std::function<Bytes()> bytes{};
  int32_t frameCount = 1;
  uint64_t budget = kMaxSpriteBytes;  // what the sprite has left
  PngLoadErrorKind kind = PngLoadErrorKind::None;
  uint32_t width = 0;
  uint32_t height = 0;
  std::string messagePart{};  // in libpng's words
};

class StripError : public testing::TestWithParam<ErrorCase> {};

TEST_P(StripError, SaysWhy) {
  const ErrorCase& param = GetParam();
  pngmaker::TempDir dir;
  const auto path = dir.Path() / "strip.png";
  if (param.bytes) {
    ASSERT_TRUE(pngmaker::WriteFile(path, param.bytes()));
  }
  OffscreenSurface surface;
  PngLoadError error;

  EXPECT_EQ(surface.LoadPng(path.wstring(), param.frameCount, &error, param.budget), 0);
  EXPECT_EQ(error.kind, param.kind);
  EXPECT_EQ(error.width, param.width);
  EXPECT_EQ(error.height, param.height);
  EXPECT_NE(error.message.find(param.messagePart), std::string::npos) << error.message;
  EXPECT_TRUE(surface.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    LoadPng, StripError,
    testing::Values(
        ErrorCase{.name = "no_file", .kind = PngLoadErrorKind::NotFound},
        ErrorCase{.name = "text_file",
                  .bytes = [] { return skintest::Text("[Default]\nFile=a.png\n"); },
                  .kind = PngLoadErrorKind::NotPng},
        ErrorCase{.name = "empty_file", .bytes = [] { return Bytes{}; }, .kind = PngLoadErrorKind::NotPng},
        ErrorCase{.name = "bad_header_crc",
                  .bytes = [] { return WithByteFlipped(skintest::Strip(8, 8), 29); },
                  .kind = PngLoadErrorKind::Corrupt,
                  .messagePart = "CRC"},
        ErrorCase{.name = "cut_in_data",
                  .bytes = [] { return Truncated(skintest::Strip(64, 64), 60); },
                  .kind = PngLoadErrorKind::Corrupt,
                  .width = 64,
                  .height = 64},
        ErrorCase{.name = "no_frames",
                  .bytes = [] { return skintest::Strip(8, 8); },
                  .frameCount = 0,
                  .kind = PngLoadErrorKind::BadFrameCount,
                  .width = 8,
                  .height = 8},
        ErrorCase{.name = "negative_frames",
                  .bytes = [] { return skintest::Strip(8, 8); },
                  .frameCount = -3,
                  .kind = PngLoadErrorKind::BadFrameCount,
                  .width = 8,
                  .height = 8},
        ErrorCase{.name = "height_not_multiple",
                  .bytes = [] { return skintest::Strip(64, 100); },
                  .frameCount = 3,
                  .kind = PngLoadErrorKind::HeightNotMultiple,
                  .width = 64,
                  .height = 100},
        ErrorCase{.name = "frame_too_wide",
                  .bytes = [] { return skintest::ClaimedSize(16385, 2); },
                  .frameCount = 2,
                  .kind = PngLoadErrorKind::FrameTooLarge,
                  .width = 16385,
                  .height = 2},
        ErrorCase{.name = "frame_too_tall",
                  .bytes = [] { return skintest::ClaimedSize(1, 2 * 16385); },
                  .frameCount = 2,
                  .kind = PngLoadErrorKind::FrameTooLarge,
                  .width = 1,
                  .height = 2 * 16385},
        // Past libpng's own default limit too: still our limit that refuses it.
        ErrorCase{.name = "far_too_tall",
                  .bytes = [] { return skintest::ClaimedSize(1, 2000000); },
                  .kind = PngLoadErrorKind::FrameTooLarge,
                  .width = 1,
                  .height = 2000000},
        ErrorCase{.name = "tall_strip_too_many_bytes",
                  .bytes = [] { return skintest::ClaimedSize(1024, 65540); },
                  .frameCount = 5,
                  .kind = PngLoadErrorKind::TooLarge,
                  .width = 1024,
                  .height = 65540},
        ErrorCase{.name = "over_the_sprites_budget",
                  .bytes = [] { return skintest::Strip(16, 16); },
                  .budget = 16 * 16 * 4 - 1,
                  .kind = PngLoadErrorKind::OverBudget,
                  .width = 16,
                  .height = 16},
        ErrorCase{.name = "too_many_bytes",
                  .bytes = [] { return skintest::ClaimedSize(16384, 16384); },
                  .kind = PngLoadErrorKind::TooLarge,
                  .width = 16384,
                  .height = 16384}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

TEST(LoadPngError, FolderIsUnreadable) {
  pngmaker::TempDir dir;
  OffscreenSurface surface;
  PngLoadError error;
  EXPECT_EQ(surface.LoadPng(dir.Path().wstring(), 1, &error), 0);
  EXPECT_EQ(error.kind, PngLoadErrorKind::Unreadable);
}

TEST(LoadPngError, SuccessClearsAnEarlierReason) {
  pngmaker::TempDir dir;
  const auto path = dir.Path() / "strip.png";
  ASSERT_TRUE(pngmaker::WriteFile(path, skintest::Strip(8, 16)));
  OffscreenSurface surface;
  PngLoadError error;
  ASSERT_EQ(surface.LoadPng(path.wstring(), 3, &error), 0);

  EXPECT_EQ(surface.LoadPng(path.wstring(), 2, &error), 1);
  EXPECT_EQ(error.kind, PngLoadErrorKind::None);
  EXPECT_TRUE(error.message.empty());
}

#ifndef _WIN32
// Bitmap failure can only be staged on the headless backend.
TEST(LoadPngError, StripThatCannotBeMadeIsOutOfMemory) {
  pngmaker::TempDir dir;
  const auto path = dir.Path() / "strip.png";
  ASSERT_TRUE(pngmaker::WriteFile(path, skintest::Strip(8, 16)));
  OffscreenSurface surface;
  ASSERT_EQ(surface.LoadPng(path.wstring(), 2), 1);
  PngLoadError error;
  headless::FailBitmapsAfter(0);
  const int result = surface.LoadPng(path.wstring(), 2, &error);
  headless::FailBitmapsAfter(-1);

  EXPECT_EQ(result, 0);
  EXPECT_TRUE(surface.IsEmpty());
  EXPECT_EQ(error.kind, PngLoadErrorKind::OutOfMemory);
  EXPECT_EQ(error.width, 8u);
  EXPECT_EQ(error.height, 16u);
}
#endif

}  // namespace
