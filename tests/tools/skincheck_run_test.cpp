// A whole run: the reports one after another and the exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ini_encoding.h"
#include "skincheck/skincheck_run.h"
#include "tools/skin_tree.h"

namespace {

using skintest::Native;

const std::wstring kKite = L"kite: usable \u2014 listed, loads, shows 6 frames of 96 x 96, 216 KiB decoded\n";

struct RunCase {
  std::wstring argument;  // below the tree's root, '/' between folders
  int exit;
  std::vector<std::wstring> parts;  // each somewhere in the output
  bool whole = false;               // the one part is the whole output
};

TEST(RunSkinCheck, ReportsAndExitCode) {
  skintest::SkinTree tree;
  tree.Write(L"kite", L"skin.ini", "[Default]\nFile=kite.png\nAnimationFrame=6\nAnimationWait=100\n");
  tree.Write(L"kite", L"kite.png", skintest::Strip(96, 576));
  tree.Write(L"broken", L"skin.ini", "[Default]\nFile=walk.png\n");
  tree.Write(L"kite", L"../../elsewhere/kite/skin.ini", "[Default]\n");
  std::filesystem::create_directories(tree.Path() / "empty" / "skin");
  const RunCase cases[] = {
      {L"skin/kite", kExitAllUsable, {kKite}, true},
      {L"skin", kExitNotUsable,
       {kKite, Native(L"broken: NOT usable \u2014 Default: File 'walk.png' not found (tried skin/broken/walk.png)\n")}},
      {L"elsewhere/kite", kExitNotUsable,
       {L"kite: NOT usable \u2014 not listed: the program lists only folders inside the folder named 'skin'"}},
      {L"empty/skin", kExitNotUsable, {L"no skins in "}},
      {L"skin/none", kExitUsage, {L""}, true},
  };
  const auto before = std::filesystem::current_path();
  for (const RunCase& c : cases) {
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

}  // namespace
