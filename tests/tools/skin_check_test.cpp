// Each way a skin can fail, or nearly fail, as the checker reports it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
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
using K = SkinProblemKind;
using E = PngLoadErrorKind;

SkinReport Check(const SkinTree& tree, const std::wstring& name) {
  CurrentDirectoryScope current(tree.Path());
  SkinCatalogue catalogue;
  ScanSkins(catalogue, {kSkinFolder});
  return CheckSkin(catalogue, name, tree.Wide());
}

struct StripFile {
  std::wstring relative;
  std::function<Bytes()> bytes;
};

struct ProblemCase {
  std::string name;
  std::string ini;  // empty: no skin.ini
  std::vector<StripFile> files;
  K kind;
  E strip;
  std::wstring text;     // in the report
  bool warning = false;  // the skin is still usable
};

// A byte inside the header's size changed: its checksum fails.
Bytes CorruptHeader() {
  Bytes png = Strip(8, 8);
  png.at(29) ^= 0x5A;
  return png;
}

const StripFile kWalk = {L"walk.png", [] { return Strip(64, 256); }};
const std::string kDefault = "[Default]\nFile=walk.png\n";

class SkinProblems : public testing::TestWithParam<ProblemCase> {};

TEST_P(SkinProblems, Reported) {
  const ProblemCase& param = GetParam();
  SkinTree tree;
  if (!param.ini.empty()) tree.Write(L"s", L"skin.ini", param.ini);
  for (const StripFile& file : param.files) tree.Write(L"s", file.relative, file.bytes());

  const SkinReport report = Check(tree, L"s");

  EXPECT_EQ(report.Usable(), param.warning);
  ASSERT_EQ(report.problems.size(), 1u);
  const SkinProblem& problem = report.problems[0];
  EXPECT_EQ(problem.kind, param.kind);
  EXPECT_EQ(problem.fatal, !param.warning);
  EXPECT_EQ(problem.strip.kind, param.strip);
  const std::wstring text = FormatSkinReport(report);
  EXPECT_NE(text.find(Native(param.text)), std::wstring::npos) << WideToUtf8(text);
}

const ProblemCase kProblems[] = {
    {"no_skin_ini", "", {kWalk}, K::NotListed, E::None,
     L"s: NOT usable \u2014 no skin.ini (tried skin/s/skin.ini), so it is not listed"},
    {"default_file_missing", kDefault, {}, K::FileNotFound, E::None,
     L"s: NOT usable \u2014 Default: File 'walk.png' not found (tried skin/s/walk.png)"},
    // Never shown, yet the program makes no sprite without it.
    {"other_state_file_missing", kDefault + "AnimationFrame=4\n[Left]\nFile=dir\\left.png\n", {kWalk},
     K::FileNotFound, E::None, L"Left: File 'dir\\left.png' not found (tried skin/s/dir/left.png)"},
    {"no_default_file", "[Up]\nFile=walk.png\nAnimationFrame=4\n", {kWalk}, K::NoDefaultStrip, E::None,
     L"Default: no File, so the sprite shows only a red warning tile"},
    {"default_not_png", kDefault, {{L"walk.png", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a'}; }}},
     K::StripFailed, E::NotPng, L"Default: 'walk.png' is not a PNG file, so the sprite shows only a red warning tile"},
    {"default_corrupt", kDefault, {{L"walk.png", CorruptHeader}}, K::StripFailed, E::Corrupt,
     L"Default: 'walk.png' does not decode: libpng says \"IHDR: CRC error\""},
    {"height_not_multiple", kDefault + "AnimationFrame=3\n", {{L"walk.png", [] { return Strip(64, 100); }}},
     K::StripFailed, E::HeightNotMultiple,
     L"Default: 'walk.png' is 64 x 100 pixels: its height 100 is not a multiple of AnimationFrame 3"},
    {"no_frames", kDefault + "AnimationFrame=0\n", {kWalk}, K::StripFailed, E::BadFrameCount,
     L"Default: AnimationFrame is 0; it must be 1 or more"},
    {"frame_count_not_a_number", kDefault + "AnimationFrame=abc\n", {kWalk}, K::StripFailed, E::BadFrameCount,
     L"Default: AnimationFrame 'abc' is not a number; it must be 1 or more"},
    {"frame_too_wide", kDefault, {{L"walk.png", [] { return pngmaker::HeaderOnly(20000, 64); }}}, K::StripFailed,
     E::FrameTooLarge,
     L"'walk.png' is 20000 x 64 pixels in 1 frame: each frame is 20000 x 64, over the limit of 16384 pixels a side"},
    {"too_many_bytes", kDefault, {{L"walk.png", [] { return pngmaker::HeaderOnly(16384, 4097); }}}, K::StripFailed,
     E::TooLarge,
     L"'walk.png' is 16384 x 4097 pixels: decoded it would take 256.1 MiB, over the limit of 256 MiB a strip"},
    {"file_outside_skin", "[Default]\nFile=..\\..\\walk.png\n", {{L"../../walk.png", kWalk.bytes}},
     K::FileOutside, E::None, L"s: NOT usable \u2014 Default: File '..\\..\\walk.png' is outside the 'skin' folder"},
    {"other_state_undecodable", kDefault + "AnimationFrame=4\n[Up]\nFile=up.png\nAnimationFrame=3\n",
     {kWalk, {L"up.png", kWalk.bytes}}, K::StripFailed, E::HeightNotMultiple,
     L"  warning: Up: 'up.png' is 64 x 256 pixels: its height 256 is not a multiple of AnimationFrame 3 (this "
     L"state is never shown; the sprite still works)", true},
    {"every_step", kDefault + "AnimationFrame=4\nAnimationWait=31\n", {kWalk}, K::FastAnimation, E::None,
     L"s: usable \u2014 listed, loads, shows 4 frames of 64 x 64, 64 KiB decoded\n  warning: Default: "
     L"AnimationWait 31 ms is below 32 ms, so the frame changes at every 16 ms step", true},
};

INSTANTIATE_TEST_SUITE_P(
    CheckSkin, SkinProblems, testing::ValuesIn(kProblems),
    [](const testing::TestParamInfo<ProblemCase>& info) { return info.param.name; });

// Every state is decoded, from subfolders too; only a frame's sides are
// limited, so many small frames make a usable skin; each missing strip is named.
TEST(CheckSkin, WholeReports) {
  const struct {
    std::wstring skin;
    std::string ini;
    std::vector<std::pair<std::wstring, Bytes>> files;
    bool usable;
    std::wstring report;
  } cases[] = {
      {L"まる",
       "[Default]\nFile=maru.png\nAnimationFrame=4\nAnimationWait=32\n[Up]\nFile=dir\\up.png\n"
       "[Down]\nFile=dir\\down.png\nAnimationFrame=2\n",
       {{L"maru.png", Strip(128, 512)}, {L"dir/up.png", Strip(16, 16)}, {L"dir/down.png", Strip(16, 32)}}, true,
       L"まる: usable \u2014 listed, loads, shows 4 frames of 128 x 128, 259 KiB decoded\n"},
      {L"long", "[Default]\nFile=long.png\nAnimationFrame=129\n", {{L"long.png", Strip(128, 129 * 128)}}, true,
       L"long: usable \u2014 listed, loads, shows 129 frames of 128 x 128, 8.1 MiB decoded\n"},
      {L"many", "[Default]\nFile=many.png\nAnimationFrame=16384\n", {{L"many.png", Strip(1, 16384)}}, true,
       L"many: usable \u2014 listed, loads, shows 16384 frames of 1 x 1, 64 KiB decoded\n"},
      {L"broken", "[Default]\nFile=walk.png\n[Right]\nFile=right.png\n", {}, false,
       Native(L"broken: NOT usable \u2014 Default: File 'walk.png' not found (tried skin/broken/walk.png)\n"
              L"  Right: File 'right.png' not found (tried skin/broken/right.png)\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.skin));
    SkinTree tree;
    tree.Write(c.skin, L"skin.ini", c.ini);
    for (const auto& [relative, bytes] : c.files) tree.Write(c.skin, relative, bytes);

    const SkinReport report = Check(tree, c.skin);

    EXPECT_EQ(report.Usable(), c.usable);
    EXPECT_EQ(report.loads, c.usable);
    EXPECT_EQ(report.problems.empty(), c.usable);
    EXPECT_EQ(FormatSkinReport(report), c.report);
  }
}

TEST(SkinReportText, OverBudgetSaysWhatTheSpriteHasLeft) {
  SkinProblem problem;
  problem.kind = K::StripFailed;
  problem.state = 1;
  problem.file = L"up.png";
  problem.strip = PngLoadError{E::OverBudget, "", 8192, 8192, uint64_t(256) << 20, uint64_t(100) << 20};
  EXPECT_EQ(DescribeProblem(problem),
            L"Up: 'up.png' would take 256.0 MiB decoded, but a sprite's strips may take 512 MiB together and the "
            L"states before it leave 100.0 MiB, so it is not loaded, so the sprite shows only a red warning tile");
}

// The menus stop at 1000 skins of all folders together; the checker says so
// of the later ones.
TEST(CheckSkin, SkinsPastTheMenusLimitAreNamed) {
  SkinTree tree;
  TestFolder user;
  for (int i = 0; i <= 1000; ++i) {
    const std::wstring name = L"s" + std::to_wstring(i);
    if (i < 500) tree.Write(name, L"skin.ini", "[Default]\n");
    else WriteBytes(user.Path() / ToFsPath(name) / "skin.ini", "[Default]\n");
  }
  CurrentDirectoryScope current(tree.Path());
  SkinCatalogue catalogue;
  ScanSkins(catalogue, {kSkinFolder, user.Wide()});
  ASSERT_EQ(catalogue.size(), 1001u);

  const SkinReport last = CheckSkin(catalogue, catalogue[1000].name, tree.Wide());
  const SkinReport earlier = CheckSkin(catalogue, catalogue[999].name, tree.Wide());
  ASSERT_EQ(last.problems.size(), 2u);
  EXPECT_EQ(last.problems[0].kind, K::NotInMenus);
  EXPECT_FALSE(last.problems[0].fatal);
  EXPECT_NE(FormatSkinReport(last).find(L"  warning: not in the menus: it is skin 1001 in listing order and the "
                                        L"menus offer only the first 1000"),
            std::wstring::npos);
  EXPECT_EQ(earlier.problems.size(), 1u);  // only its missing Default File
}

}  // namespace
