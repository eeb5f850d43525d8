// Which skins a command-line folder names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/ini_encoding.h"
#include "skincheck/skin_target.h"
#include "tools/skin_tree.h"

namespace {

TEST(ResolveSkinTarget, WhichSkinsAFolderNames) {
  skintest::SkinTree tree;
  tree.Write(L"kite", L"skin.ini", "[Default]\nFile=kite.png\n");
  std::filesystem::create_directories(tree.Path() / "skin" / "bare");
  tree.Write(L"kite", L"../../other/kite/skin.ini", "[Default]\n");
  tree.Write(L"kite", L"../../unrelated/note.txt", "x");
  const std::wstring root = tree.Wide();
  const struct {
    std::wstring argument;  // below the tree's root, '/' between folders
    std::vector<std::wstring> names;  // none: it does not resolve
    bool inSkinFolder = true;
  } cases[] = {
      {L"skin/kite", {L"kite"}}, {L"skin", {L"bare", L"kite"}}, {L"skin/", {L"bare", L"kite"}},
      {L".", {L"bare", L"kite"}},           // the program's folder
      {L"skin/bare", {L"bare"}},            // a skin without skin.ini
      {L"other/kite", {L"kite"}, false},    // a skin outside any folder named skin
      {L"skin/kite/skin.ini", {}}, {L"skin/none", {}}, {L"unrelated", {}},  // a file, nothing, no skins
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.argument));
    SkinTarget target;
    std::wstring why;
    const bool resolves = ResolveSkinTarget(skintest::Native(root + L"/" + c.argument), target, why);
    ASSERT_EQ(resolves, !c.names.empty());
    EXPECT_EQ(why.empty(), resolves);
    if (!resolves) continue;
    std::sort(target.names.begin(), target.names.end());
    EXPECT_EQ(target.names, c.names);
    EXPECT_EQ(target.inSkinFolder, c.inSkinFolder);
    EXPECT_EQ(target.skinFolder, skintest::Native(root + (c.inSkinFolder ? L"/skin" : L"/other")));
    EXPECT_EQ(target.exeFolder, root);
  }
}

}  // namespace
