// Which skins a command-line folder names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skincheck/skin_target.h"
#include "tools/skin_tree.h"

namespace {

struct TargetCase {
  std::string name{};
  std::wstring argument{};  // below the tree's root, '/' between folders
  bool resolves = true;
  std::vector<std::wstring> names{};
  bool inSkinFolder = true;
};

class Target : public testing::TestWithParam<TargetCase> {};

TEST_P(Target, Resolved) {
  const TargetCase& param = GetParam();
  skintest::SkinTree tree;
  tree.Write(L"kite", L"skin.ini", "[Default]\nFile=kite.png\n");
  std::filesystem::create_directories(tree.Path() / "skin" / "bare");
  tree.Write(L"kite", L"../../other/kite/skin.ini", "[Default]\n");
  tree.Write(L"kite", L"../../unrelated/note.txt", "x");
  const std::wstring root = tree.Wide();
  SkinTarget target;
  std::wstring why;

  const bool resolves = ResolveSkinTarget(skintest::Native(root + L"/" + param.argument), target, why);

  ASSERT_EQ(resolves, param.resolves);
  if (!resolves) {
    EXPECT_FALSE(why.empty());
    return;
  }
  std::sort(target.names.begin(), target.names.end());
  EXPECT_EQ(target.names, param.names);
  EXPECT_EQ(target.inSkinFolder, param.inSkinFolder);
  EXPECT_EQ(target.skinFolder, skintest::Native(root + (param.inSkinFolder ? L"/skin" : L"/other")));
  EXPECT_EQ(target.exeFolder, root);
}

INSTANTIATE_TEST_SUITE_P(
    ResolveSkinTarget, Target,
    testing::Values(
        TargetCase{.name = "one_skin", .argument = L"skin/kite", .names = {L"kite"}},
        TargetCase{.name = "skin_folder", .argument = L"skin", .names = {L"bare", L"kite"}},
        TargetCase{.name = "trailing_separator", .argument = L"skin/", .names = {L"bare", L"kite"}},
        TargetCase{.name = "exe_folder", .argument = L".", .names = {L"bare", L"kite"}},
        TargetCase{.name = "skin_without_ini", .argument = L"skin/bare", .names = {L"bare"}},
        TargetCase{.name = "skin_outside_skin_folder", .argument = L"other/kite", .names = {L"kite"},
                   .inSkinFolder = false},
        TargetCase{.name = "a_file", .argument = L"skin/kite/skin.ini", .resolves = false},
        TargetCase{.name = "nothing_there", .argument = L"skin/none", .resolves = false},
        TargetCase{.name = "unrelated_folder", .argument = L"unrelated", .resolves = false}),
    [](const testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

}  // namespace
