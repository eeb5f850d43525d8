#include "skin/skin_catalogue.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>

#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

const char kWalkIni[] =
    "[Default]\r\n"
    "File=walk.png\r\n"
    "AnimationFrame=4\r\n"
    "AnimationWait=200\r\n";

class SkinCatalogueTest : public testing::Test {
 protected:
  // A skin folder with these skin.ini bytes, in the folder that is both the
  // executable's folder and the current directory.
  void AddSkin(const std::string& name, const std::string& ini) {
    WriteBytes(folder.Path() / "skin" / fs::path(std::u8string(name.begin(), name.end())) / "skin.ini", ini);
  }
  void AddFile(const fs::path& relative) { WriteBytes(folder.Path() / relative, "png"); }

  TestFolder folder;
  CurrentDirectoryScope inFolder{folder.Path()};
};

TEST_F(SkinCatalogueTest, OnlyFoldersWithASkinIniAreSkins) {
  SkinCatalogue catalogue = {L"stale"};
  ScanSkins(catalogue);
  EXPECT_TRUE(catalogue.empty());  // no skin folder at all
  AddSkin("a", kWalkIni);
  fs::create_directories(folder.Path() / "skin" / "b");
  AddFile("skin/c.png");
  AddFile("skin/skin.ini");
  catalogue = {L"stale"};
  ScanSkins(catalogue);
  EXPECT_EQ(catalogue, SkinCatalogue{L"a"});
}

TEST_F(SkinCatalogueTest, JapaneseSkinNameIsListedAndFound) {
  AddSkin("\xE3\x81\xAD\xE3\x81\x93", kWalkIni);  // ねこ
  AddFile(fs::path(u8"skin/\u306D\u3053/walk.png"));
  SkinCatalogue catalogue;
  ScanSkins(catalogue);
  ASSERT_EQ(catalogue, SkinCatalogue{L"\u306D\u3053"});
  SkinInfo info;
  ASSERT_EQ(FindSkin(catalogue, L"\u306D\u3053", info, folder.Wide()), 1);
  EXPECT_EQ(info.file[0], L"walk.png");
  EXPECT_EQ(CheckSkinFiles(info), 1);
}

// A name in another letter case or an index outside the catalogue reads nothing.
TEST_F(SkinCatalogueTest, SkinNotFoundLeavesTheInfoUntouched) {
  AddSkin("Neko", kWalkIni);
  const SkinCatalogue catalogue = {L"Neko"};
  const std::function<int(SkinInfo&)> reads[] = {
      [&](SkinInfo& info) { return FindSkin(catalogue, L"neko", info, folder.Wide()); },
      [&](SkinInfo& info) { return ReadSkinInfo(catalogue, 1, info, folder.Wide()); },
      [&](SkinInfo& info) { return ReadSkinInfo(catalogue, -1, info, folder.Wide()); },
      [&](SkinInfo& info) { return ReadSkinInfo(catalogue, 1000, info, folder.Wide()); }};
  for (size_t i = 0; i < std::size(reads); ++i) {
    SkinInfo info;
    info.name = L"untouched";
    info.file[0] = L"keep.png";
    info.animationFrame[0] = 9;
    EXPECT_EQ(reads[i](info), 0) << i;
    EXPECT_EQ(info.name, L"untouched");
    EXPECT_EQ(info.file[0], L"keep.png");
    EXPECT_EQ(info.animationFrame[0], 9);
  }
  SkinInfo info;
  EXPECT_EQ(FindSkin(catalogue, L"Neko", info, folder.Wide()), 1);
  EXPECT_EQ(info.name, L"Neko");
}

// skin.ini is read from the executable's folder, not the current directory;
// a skin.ini that has gone since the scan reads as all defaults.
TEST_F(SkinCatalogueTest, AbsentSectionsAndKeysTakeTheDefaults) {
  AddSkin("a", "[Default]\r\nFile=walk.png\r\nAnimationFrame=4\r\n[up]\r\nanimationwait=-3\r\n");
  TestFolder elsewhere;
  CurrentDirectoryScope inElsewhere(elsewhere.Path());
  for (const bool gone : {false, true}) {
    SkinInfo info;
    ASSERT_EQ(ReadSkinInfo({L"a"}, 0, info, gone ? elsewhere.Wide() : folder.Wide()), 1);
    EXPECT_EQ(info.name, L"a");
    const std::wstring files[] = {gone ? L"" : L"walk.png", L"", L"", L"", L""};
    const int32_t frames[] = {gone ? 1 : 4, 1, 1, 1, 1};
    const int32_t waits[] = {500, gone ? 500 : -3, 500, 500, 500};
    for (int s = 0; s < SkinInfo::kStateCount; ++s) {
      EXPECT_EQ(info.file[s], files[s]) << kAnimStateNames[s] << gone;
      EXPECT_EQ(info.animationFrame[s], frames[s]) << kAnimStateNames[s] << gone;
      EXPECT_EQ(info.animationWait[s], waits[s]) << kAnimStateNames[s] << gone;
    }
  }
}

// Every named strip must exist, and every target exists where the file system
// allows it, so only the refusal of values that leave "skin" can fail the rest.
TEST_F(SkinCatalogueTest, CheckSkinFilesNeedsEveryStripInsideTheSkin) {
  std::vector<const char*> targets = {"skin/a/a.png", "skin/a/sub/up.png", "skin/other/a.png", "x.png"};
#ifndef _WIN32
  // Plain files here; on Windows devices and streams, which a test must not open.
  targets.insert(targets.end(), {"skin/a/C:/x.png", "skin/a/NUL", "skin/a/COM1", "skin/a/nul.png", "skin/a/a.png:s",
                                  "skin/a/sub/aux"});
#endif
  for (const char* target : targets) AddFile(target);
#ifndef _WIN32
  // A link counts by where it leads: out of "skin" it is missing, into another skin it is there.
  AddFile("secret.png");
  fs::create_symlink(folder.Path() / "secret.png", folder.Path() / "skin/a/out.png");
  fs::create_symlink(folder.Path() / "skin/other/a.png", folder.Path() / "skin/a/in.png");
#else
  AddFile("skin/a/in.png");
#endif
  const struct {
    const wchar_t* files[SkinInfo::kStateCount];  // null: none
    int expected;
  } cases[] = {
      {{}, 1}, {{L"a.png"}, 1}, {{L"a.png", L"sub\\up.png", L"", L"", L"a.png"}, 1},
      {{L"a.png", L"missing.png"}, 0}, {{L"", L"", L"", L"", L"sub\\missing.png"}, 0},
      {{L"sub"}, 1},  // a folder exists too, like PathFileExistsW
      {{L"..\\other\\a.png"}, 1}, {{L"sub\\..\\a.png"}, 1}, {{L"..\\..\\x.png"}, 0},
      {{L"..\\a\\..\\..\\x.png"}, 0}, {{L"C:\\x.png"}, 0}, {{L"\\\\host\\x.png"}, 0}, {{L"\\x.png"}, 0},
      {{L"/x.png"}, 0}, {{L"NUL"}, 0}, {{L"COM1"}, 0}, {{L"nul.png"}, 0}, {{L"sub\\Com1 .png"}, 0}, {{L"sub\\aux"}, 0}, {{L"a.png:s"}, 0},
      {{L"out.png"}, 0}, {{L"in.png"}, 1},
  };
  for (const auto& c : cases) {
    SkinInfo info;
    info.name = L"a";
    for (int s = 0; s < SkinInfo::kStateCount; ++s) info.file[s] = c.files[s] ? c.files[s] : L"";
    EXPECT_EQ(CheckSkinFiles(info), c.expected) << info.file[0] << L"|" << info.file[1] << L"|" << info.file[4];
  }
}

}  // namespace
