// A whole run: the reports one after another and the exit code.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/exe_path.h"
#include "skincheck/skincheck_run.h"
#include "tools/skin_tree.h"

namespace {

using skintest::Native;
using skintest::Strip;
using skintest::Text;

class Run : public testing::Test {
 protected:
  void AddKite() const {
    tree.Write(L"kite", L"skin.ini", Text("[Default]\nFile=kite.png\nAnimationFrame=6\nAnimationWait=100\n"));
    tree.Write(L"kite", L"kite.png", Strip(96, 576));
  }
  int Check(const std::wstring& below) {
    return RunSkinCheck(Native(FromFsPath(tree.Root()) + L"/" + below), out, err);
  }

  skintest::SkinTree tree;
  std::wstring out;
  std::wstring err;
};

TEST_F(Run, UsableSkinExitsZero) {
  AddKite();

  EXPECT_EQ(Check(L"skin/kite"), kExitAllUsable);
  EXPECT_EQ(out, L"kite: usable \u2014 listed, loads, shows 6 frames of 96 x 96, 216 KiB decoded\n");
  EXPECT_TRUE(err.empty());
}

TEST_F(Run, OneBrokenSkinExitsOne) {
  AddKite();
  tree.Write(L"broken", L"skin.ini", Text("[Default]\nFile=walk.png\n"));

  EXPECT_EQ(Check(L"skin"), kExitNotUsable);
  EXPECT_NE(out.find(L"kite: usable \u2014 listed, loads, shows 6 frames of 96 x 96, 216 KiB decoded\n"),
            std::wstring::npos);
  EXPECT_NE(out.find(Native(L"broken: NOT usable \u2014 Default: File 'walk.png' not found (tried "
                            L"skin/broken/walk.png)\n")),
            std::wstring::npos);
}

TEST_F(Run, SkinOutsideASkinFolderIsNotListed) {
  tree.Write(L"kite", L"../../elsewhere/kite/skin.ini", Text("[Default]\n"));

  EXPECT_EQ(Check(L"elsewhere/kite"), kExitNotUsable);
  EXPECT_EQ(out.rfind(L"kite: NOT usable \u2014 not listed: the program lists only folders inside the folder "
                      L"named 'skin'", 0),
            0u);
}

TEST_F(Run, EmptySkinFolderExitsOne) {
  EXPECT_EQ(Check(L"skin"), kExitNotUsable);
  EXPECT_EQ(out.rfind(L"no skins in ", 0), 0u);
}

TEST_F(Run, NoFolderIsAUsageError) {
  EXPECT_EQ(Check(L"skin/none"), kExitUsage);
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(err.empty());
}

TEST_F(Run, CurrentDirectoryKept) {
  AddKite();
  const auto before = std::filesystem::current_path();

  Check(L"skin");

  EXPECT_EQ(std::filesystem::current_path(), before);
}

}  // namespace
