// Each way a skin can fail, or nearly fail, as the checker reports it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ini_encoding.h"
#include "skin/skin_catalogue.h"
#include "skincheck/skin_check.h"
#include "skincheck/skin_report_text.h"
#include "tools/skin_tree.h"

namespace {

using skintest::Bytes;
using skintest::Native;
using skintest::SkinTree;
using skintest::Strip;
using skintest::Text;

struct StripFile {
  std::wstring relative;
  std::function<Bytes()> bytes;
};

struct ProblemCase {
  std::string name{};
  std::string ini{};  // empty: no skin.ini
  std::vector<StripFile> files{};
  bool usable = false;
  SkinProblemKind kind = SkinProblemKind::NotListed;
  bool fatal = true;
  PngLoadErrorKind strip = PngLoadErrorKind::None;
  std::wstring text{};  // in the report
};

const std::function<Bytes()> kWalk = [] { return Strip(64, 256); };

class SkinProblems : public testing::TestWithParam<ProblemCase> {};

TEST_P(SkinProblems, Reported) {
  const ProblemCase& param = GetParam();
  SkinTree tree;
  tree.AddEmptySkin(L"s");
  if (!param.ini.empty()) tree.Write(L"s", L"skin.ini", Text(param.ini));
  for (const StripFile& file : param.files) tree.Write(L"s", file.relative, file.bytes());
  skintest::CurrentDirectory current(tree.Root());
  SkinCatalogue catalogue;
  ScanSkins(catalogue);

  const SkinReport report = CheckSkin(catalogue, L"s", tree.Root().wstring());

  EXPECT_EQ(report.Usable(), param.usable);
  ASSERT_EQ(report.problems.size(), 1u);
  const SkinProblem& problem = report.problems[0];
  EXPECT_EQ(problem.kind, param.kind);
  EXPECT_EQ(problem.fatal, param.fatal);
  EXPECT_EQ(problem.strip.kind, param.strip);
  const std::wstring text = FormatSkinReport(report);
  EXPECT_NE(text.find(Native(param.text)), std::wstring::npos) << WideToUtf8(text);
}

INSTANTIATE_TEST_SUITE_P(
    CheckSkin, SkinProblems,
    testing::Values(
        ProblemCase{.name = "no_skin_ini",
                    .files = {{L"walk.png", kWalk}},
                    .kind = SkinProblemKind::NotListed,
                    .text = L"s: NOT usable \u2014 no skin.ini (tried skin/s/skin.ini), so it is not listed"},
        ProblemCase{.name = "default_file_missing",
                    .ini = "[Default]\nFile=walk.png\n",
                    .kind = SkinProblemKind::FileNotFound,
                    .text = L"s: NOT usable \u2014 Default: File 'walk.png' not found (tried skin/s/walk.png)"},
        // Never shown, yet the program makes no sprite without it.
        ProblemCase{.name = "other_state_file_missing",
                    .ini = "[Default]\nFile=walk.png\nAnimationFrame=4\n[Left]\nFile=dir\\left.png\n",
                    .files = {{L"walk.png", kWalk}},
                    .kind = SkinProblemKind::FileNotFound,
                    .text = L"Left: File 'dir\\left.png' not found (tried skin/s/dir/left.png)"},
        ProblemCase{.name = "no_default_file",
                    .ini = "[Up]\nFile=walk.png\nAnimationFrame=4\n",
                    .files = {{L"walk.png", kWalk}},
                    .kind = SkinProblemKind::NoDefaultStrip,
                    .text = L"Default: no File, so the sprite shows nothing"},
        ProblemCase{.name = "default_not_png",
                    .ini = "[Default]\nFile=walk.png\n",
                    .files = {{L"walk.png", [] { return Text("GIF89a"); }}},
                    .kind = SkinProblemKind::StripFailed,
                    .strip = PngLoadErrorKind::NotPng,
                    .text = L"Default: 'walk.png' is not a PNG file, so the sprite shows nothing"},
        ProblemCase{.name = "default_corrupt",
                    .ini = "[Default]\nFile=walk.png\n",
                    .files = {{L"walk.png",
                               [] {
                                 Bytes png = Strip(8, 8);
                                 png.at(29) ^= 0x5A;  // inside the header's size: its checksum fails
                                 return png;
                               }}},
                    .kind = SkinProblemKind::StripFailed,
                    .strip = PngLoadErrorKind::Corrupt,
                    .text = L"Default: 'walk.png' does not decode: libpng says \"IHDR: CRC error\""},
        ProblemCase{.name = "height_not_multiple",
                    .ini = "[Default]\nFile=walk.png\nAnimationFrame=3\n",
                    .files = {{L"walk.png", [] { return Strip(64, 100); }}},
                    .kind = SkinProblemKind::StripFailed,
                    .strip = PngLoadErrorKind::HeightNotMultiple,
                    .text = L"Default: 'walk.png' is 64 x 100 pixels: its height 100 is not a multiple of "
                            L"AnimationFrame 3"},
        ProblemCase{.name = "no_frames",
                    .ini = "[Default]\nFile=walk.png\nAnimationFrame=0\n",
                    .files = {{L"walk.png", kWalk}},
                    .kind = SkinProblemKind::StripFailed,
                    .strip = PngLoadErrorKind::BadFrameCount,
                    .text = L"Default: AnimationFrame is 0; it must be 1 or more"},
        ProblemCase{.name = "frame_too_wide",
                    .ini = "[Default]\nFile=walk.png\n",
                    .files = {{L"walk.png", [] { return skintest::ClaimedSize(20000, 64); }}},
                    .kind = SkinProblemKind::StripFailed,
                    .strip = PngLoadErrorKind::FrameTooLarge,
                    .text = L"'walk.png' is 20000 x 64 pixels in 1 frame: each frame is 20000 x 64, over the "
                            L"limit of 16384 pixels a side"},
        ProblemCase{.name = "too_many_bytes",
                    .ini = "[Default]\nFile=walk.png\n",
                    .files = {{L"walk.png", [] { return skintest::ClaimedSize(16384, 4097); }}},
                    .kind = SkinProblemKind::StripFailed,
                    .strip = PngLoadErrorKind::TooLarge,
                    .text = L"'walk.png' is 16384 x 4097 pixels: decoded it would take 256.1 MiB, over the limit "
                            L"of 256 MiB a strip"},
        ProblemCase{.name = "file_outside_skin",
                    .ini = "[Default]\nFile=..\\..\\walk.png\n",
                    .files = {{L"../../walk.png", kWalk}},
                    .kind = SkinProblemKind::FileOutside,
                    .text = L"s: NOT usable \u2014 Default: File '..\\..\\walk.png' is outside the 'skin' folder"},
        ProblemCase{.name = "other_state_undecodable",
                    .ini = "[Default]\nFile=walk.png\nAnimationFrame=4\n[Up]\nFile=up.png\nAnimationFrame=3\n",
                    .files = {{L"walk.png", kWalk}, {L"up.png", kWalk}},
                    .usable = true,
                    .kind = SkinProblemKind::StripFailed,
                    .fatal = false,
                    .strip = PngLoadErrorKind::HeightNotMultiple,
                    .text = L"  warning: Up: 'up.png' is 64 x 256 pixels: its height 256 is not a multiple of "
                            L"AnimationFrame 3 (this state is never shown; the sprite still works)"},
        ProblemCase{.name = "every_step",
                    .ini = "[Default]\nFile=walk.png\nAnimationFrame=4\nAnimationWait=31\n",
                    .files = {{L"walk.png", kWalk}},
                    .usable = true,
                    .kind = SkinProblemKind::FastAnimation,
                    .fatal = false,
                    .text = L"s: usable \u2014 listed, loads, shows 4 frames of 64 x 64, 64 KiB decoded\n"
                            L"  warning: Default: AnimationWait 31 ms is below 32 ms, so the frame changes at "
                            L"every 16 ms step"}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return info.param.name; });

class CheckSkinTest : public testing::Test {
 protected:
  SkinReport Check(const std::wstring& name) {
    skintest::CurrentDirectory current(tree.Root());
    SkinCatalogue catalogue;
    ScanSkins(catalogue);
    return CheckSkin(catalogue, name, tree.Root().wstring());
  }

  SkinTree tree;
};

TEST_F(CheckSkinTest, EveryStateDecodedFromItsSubfolder) {
  tree.Write(L"まる", L"skin.ini",
             Text("[Default]\nFile=maru.png\nAnimationFrame=4\nAnimationWait=32\n"
                  "[Up]\nFile=dir\\up.png\n[Down]\nFile=dir\\down.png\nAnimationFrame=2\n"));
  tree.Write(L"まる", L"maru.png", Strip(128, 512));
  tree.Write(L"まる", L"dir/up.png", Strip(16, 16));
  tree.Write(L"まる", L"dir/down.png", Strip(16, 32));

  const SkinReport report = Check(L"まる");

  EXPECT_TRUE(report.Usable());
  EXPECT_TRUE(report.problems.empty());
  EXPECT_EQ(FormatSkinReport(report),
            L"まる: usable \u2014 listed, loads, shows 4 frames of 128 x 128, 259 KiB decoded\n");
}

// Only a frame's sides are limited: many small frames make a usable skin.
TEST_F(CheckSkinTest, LongStripsOfSmallFramesAreUsable) {
  tree.Write(L"long", L"skin.ini", Text("[Default]\nFile=long.png\nAnimationFrame=129\n"));
  tree.Write(L"long", L"long.png", Strip(128, 129 * 128));
  tree.Write(L"many", L"skin.ini", Text("[Default]\nFile=many.png\nAnimationFrame=16384\n"));
  tree.Write(L"many", L"many.png", Strip(1, 16384));

  EXPECT_EQ(FormatSkinReport(Check(L"long")),
            L"long: usable \u2014 listed, loads, shows 129 frames of 128 x 128, 8.1 MiB decoded\n");
  EXPECT_EQ(FormatSkinReport(Check(L"many")),
            L"many: usable \u2014 listed, loads, shows 16384 frames of 1 x 1, 64 KiB decoded\n");
}

TEST(SkinReportText, OverBudgetSaysWhatTheSpriteHasLeft) {
  SkinProblem problem;
  problem.kind = SkinProblemKind::StripFailed;
  problem.state = 1;
  problem.file = L"up.png";
  problem.strip = PngLoadError{PngLoadErrorKind::OverBudget, "", 8192, 8192, uint64_t(256) << 20, uint64_t(100) << 20};
  EXPECT_EQ(DescribeProblem(problem),
            L"Up: 'up.png' would take 256.0 MiB decoded, but a sprite's strips may take 512 MiB together and the "
            L"states before it leave 100.0 MiB, so it is not loaded, so the sprite shows nothing");
}

// The menus stop at 1000 skins; the checker says so of the later ones.
TEST_F(CheckSkinTest, SkinsPastTheMenusLimitAreNamed) {
  for (int i = 0; i <= 1000; ++i) tree.Write(L"s" + std::to_wstring(i), L"skin.ini", Text("[Default]\n"));
  skintest::CurrentDirectory current(tree.Root());
  SkinCatalogue catalogue;
  ScanSkins(catalogue);
  ASSERT_EQ(catalogue.size(), 1001u);

  const SkinReport last = CheckSkin(catalogue, catalogue[1000], tree.Root().wstring());
  const SkinReport earlier = CheckSkin(catalogue, catalogue[999], tree.Root().wstring());
  ASSERT_EQ(last.problems.size(), 2u);
  EXPECT_EQ(last.problems[0].kind, SkinProblemKind::NotInMenus);
  EXPECT_FALSE(last.problems[0].fatal);
  EXPECT_NE(FormatSkinReport(last).find(L"  warning: not in the menus: it is skin 1001 in listing order and the "
                                        L"menus offer only the first 1000"),
            std::wstring::npos);
  EXPECT_EQ(earlier.problems.size(), 1u);  // only its missing Default File
}

TEST_F(CheckSkinTest, EveryMissingStripNamed) {
  tree.Write(L"broken", L"skin.ini", Text("[Default]\nFile=walk.png\n[Right]\nFile=right.png\n"));

  const SkinReport report = Check(L"broken");

  EXPECT_FALSE(report.loads);
  EXPECT_EQ(FormatSkinReport(report),
            Native(L"broken: NOT usable \u2014 Default: File 'walk.png' not found (tried skin/broken/walk.png)\n"
                   L"  Right: File 'right.png' not found (tried skin/broken/right.png)\n"));
}

}  // namespace
