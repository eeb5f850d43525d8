// Which skins a command-line folder names, and a whole run: the reports one
// after another and the exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ini_encoding.h"
#include "skin/skin_path.h"
#include "skincheck/skin_target.h"
#include "skincheck/skincheck_run.h"
#include "tools/skin_tree.h"

namespace {

using skintest::Native;

// kite: a usable skin; bare: a skin folder without skin.ini; other/kite: a skin
// outside any folder named skin; unrelated: no skins; empty/skin: a skin folder with none.
struct Tree : skintest::SkinTree {
  Tree() {
    Write(L"kite", L"skin.ini", "[Default]\nFile=kite.png\nAnimationFrame=6\nAnimationWait=100\n");
    Write(L"kite", L"kite.png", skintest::Strip(96, 576));
    std::filesystem::create_directories(Path() / "skin" / "bare");
    Write(L"kite", L"../../other/kite/skin.ini", "[Default]\n");
    Write(L"kite", L"../../unrelated/note.txt", "x");
    std::filesystem::create_directories(Path() / "empty" / "skin");
  }
};

TEST(ResolveSkinTarget, WhichSkinsAFolderNames) {
  const Tree tree;
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
    const bool resolves = ResolveSkinTarget(Native(root + L"/" + c.argument), target, why);
    ASSERT_EQ(resolves, !c.names.empty());
    EXPECT_EQ(why.empty(), resolves);
    if (!resolves) continue;
    std::sort(target.names.begin(), target.names.end());
    EXPECT_EQ(target.names, c.names);
    EXPECT_EQ(target.inSkinFolder, c.inSkinFolder);
    EXPECT_EQ(target.skinFolder, Native(root + (c.inSkinFolder ? L"/skin" : L"/other")));
    EXPECT_EQ(target.exeFolder, root);
  }
}

TEST(RunSkinCheck, ReportsAndExitCode) {
  const Tree tree;
  const std::wstring kite = L"kite: usable \u2014 listed, loads, shows 6 frames of 96 x 96, 216 KiB decoded\n";
  const struct {
    std::wstring argument;  // below the tree's root, '/' between folders
    int exit;
    std::vector<std::wstring> parts;  // each somewhere in the output
    bool whole = false;               // the one part is the whole output
  } cases[] = {
      {L"skin/kite", kExitAllUsable, {kite}, true},
      {L"skin", kExitNotUsable,
       {kite, Native(L"bare: NOT usable \u2014 no skin.ini (tried skin/bare/skin.ini), so it is not listed\n")}},
      {L"other/kite", kExitNotUsable,
       {L"kite: NOT usable \u2014 not listed: the program lists only folders inside the folder named 'skin'"}},
      {L"empty/skin", kExitNotUsable, {L"no skins in "}},
      {L"skin/none", kExitUsage, {L""}, true},
  };
  const auto before = std::filesystem::current_path();
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.argument));
    std::wstring out;
    std::wstring err;
    EXPECT_EQ(RunSkinCheck(Native(tree.Wide() + L"/" + c.argument), out, err), c.exit);
    if (c.whole) {
      EXPECT_EQ(out, c.parts[0]);
    }
    for (const std::wstring& part : c.parts) EXPECT_NE(out.find(part), std::wstring::npos) << WideToUtf8(out);
    EXPECT_EQ(err.empty(), c.exit != kExitUsage);
    EXPECT_EQ(std::filesystem::current_path(), before);
  }
}

// Without an argument: each folder the program reads on a line of its own,
// then its skins; one hidden by an earlier folder is named as such.
TEST(RunSkinCheckEverywhere, SaysWhichFolderEachSkinComesFrom) {
  const Tree tree;
  TestFolder user, system;
  WriteBytes(user.Path() / "kite" / "skin.ini", "[Default]\n");
  WriteBytes(system.Path() / "mine" / "skin.ini", "[Default]\nFile=m.png\nAnimationWait=100\n");
  const skintest::Bytes strip = skintest::Strip(32, 32);
  WriteBytes(system.Path() / "mine" / "m.png", std::string(strip.begin(), strip.end()));
  std::wstring out, err;
  EXPECT_EQ(RunSkinCheckEverywhere(tree.Wide(), {kSkinFolder, user.Wide(), system.Wide(), user.Wide(L"none")}, out, err),
            kExitAllUsable);
  EXPECT_EQ(out, Native(tree.Wide() + L"/skin:\n") +
                     L"kite: usable \u2014 listed, loads, shows 6 frames of 96 x 96, 216 KiB decoded\n" + user.Wide() +
                     L":\nkite: hidden by the skin of this name in " + Native(tree.Wide() + L"/skin") + L"\n" +
                     system.Wide() + L":\nmine: usable \u2014 listed, loads, shows 1 frame of 32 x 32, 4 KiB decoded\n" +
                     user.Wide(L"none") + L": no such folder\n");
  EXPECT_TRUE(err.empty());
}

TEST(RunSkinCheckCommand, HelpOnRequestUsageOnAnyOtherCountNamingThisSystemsProgram) {
#ifdef _WIN32
  const std::wstring nextTo = L"next to kitemaru.exe.\n";
#else
  const std::wstring nextTo = L"next to kitemaru.\n";
#endif
  const std::vector<std::vector<std::wstring>> commands = {{L"/?"}, {L"-h"}, {L"--help"}, {L"a", L"b"}};
  for (const auto& arguments : commands) {
    std::wstring out, err;
    const bool help = arguments.size() == 1;
    EXPECT_EQ(RunSkinCheckCommand(arguments, out, err), help ? kExitAllUsable : kExitUsage);
    const std::wstring& usage = help ? out : err;
    EXPECT_EQ(usage.rfind(L"usage: kitemaru-skincheck [<folder>]\n", 0), 0u) << WideToUtf8(usage);
    EXPECT_NE(usage.find(nextTo), std::wstring::npos) << WideToUtf8(usage);
    EXPECT_TRUE((help ? err : out).empty());
  }
}

}  // namespace
