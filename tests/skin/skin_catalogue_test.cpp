#include "skin/skin_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The program's folder, the user's, the system's: only folders with a
// skin.ini are skins, an earlier name hides a later one, and a folder that is
// missing or cannot be listed adds nothing.
TEST_F(SkinCatalogueTest, FoldersAreReadInOrderAndAnEarlierNameHidesALaterOne) {
  const std::wstring user = folder.Wide(L"user"), system = folder.Wide(L"system");
  const std::wstring missing = folder.Wide(L"missing"), notAFolder = folder.Wide(L"file");
  AddSkin("a", kWalkIni);
  fs::create_directories(folder.Path() / "skin" / "b");  // no skin.ini: hides nothing
  AddFile("skin/c.png");
  AddFile("skin/skin.ini");
  AddFile("file");
  for (const char* skin : {"user/a", "user/b", "system/b", "system/s"}) AddFile(fs::path(skin) / "skin.ini");
  const struct {
    std::vector<std::wstring> folders;
    SkinCatalogue expected;  // sorted by name, which here keeps the folders' order
  } cases[] = {
      {{kSkinFolder, user, system}, {{L"a", kSkinFolder}, {L"b", user}, {L"s", system}}},
      {{missing, notAFolder, user, missing, system}, {{L"a", user}, {L"b", user}, {L"s", system}}},
      {{system, user, kSkinFolder}, {{L"a", user}, {L"b", system}, {L"s", system}}},
      {{missing, notAFolder}, {}},
  };
  for (const auto& c : cases) {
    SkinCatalogue catalogue = {{L"stale"}};
    ScanSkins(catalogue, c.folders);
    std::stable_sort(catalogue.begin(), catalogue.end(), [](auto& x, auto& y) { return x.name < y.name; });
    EXPECT_EQ(catalogue, c.expected) << c.folders.size();
  }
}

TEST_F(SkinCatalogueTest, JapaneseSkinNameIsListedAndFound) {
  AddSkin("\xE3\x81\xAD\xE3\x81\x93", kWalkIni);  // ねこ
  AddFile(fs::path(u8"skin/\u306D\u3053/walk.png"));
  SkinCatalogue catalogue;
  ScanSkins(catalogue, {kSkinFolder});
  ASSERT_EQ(catalogue, SkinCatalogue{{L"\u306D\u3053"}});
  SkinInfo info;
  ASSERT_EQ(FindSkin(catalogue, L"\u306D\u3053", info, folder.Wide()), 1);
  EXPECT_EQ(info.file[0], L"walk.png");
  EXPECT_EQ(CheckSkinFiles(info), 1);
}

// A name in another letter case or an index outside the catalogue reads nothing.
TEST_F(SkinCatalogueTest, SkinNotFoundLeavesTheInfoUntouched) {
  AddSkin("Neko", kWalkIni);
  const SkinCatalogue catalogue = {{L"Neko"}};
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
    ASSERT_EQ(ReadSkinInfo({{L"a"}}, 0, info, gone ? elsewhere.Wide() : folder.Wide()), 1);
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
  std::vector<const char*> targets = {"skin/a/a.png", "skin/a/sub/up.png", "skin/other/a.png", "x.png", "skin/a/coma.png"};
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
      {{L"coma.png"}, 1},  // not a device: COM takes a digit
      {{L"out.png"}, 0}, {{L"in.png"}, 1},
  };
  for (const auto& c : cases) {
    SkinInfo info;
    info.name = L"a";
    for (int s = 0; s < SkinInfo::kStateCount; ++s) info.file[s] = c.files[s] ? c.files[s] : L"";
    EXPECT_EQ(CheckSkinFiles(info), c.expected) << info.file[0] << L"|" << info.file[1] << L"|" << info.file[4];
  }
}

// A skin of another folder reads its skin.ini there and may use a strip of a
// skin beside it, but nothing outside that folder.
TEST_F(SkinCatalogueTest, ASkinOfTheUsersFolderStaysInsideIt) {
  const std::wstring user = folder.Wide(L"user");
  AddFile("skin/a/a.png");
  WriteBytes(folder.Path() / "user/u/skin.ini", kWalkIni);
  AddFile("user/u/walk.png");
  AddFile("user/v/v.png");
#ifndef _WIN32
  fs::create_symlink(folder.Path() / "skin/a/a.png", folder.Path() / "user/u/link.png");
#endif
  TestFolder elsewhere;
  CurrentDirectoryScope inElsewhere(elsewhere.Path());
  SkinInfo info;
  ASSERT_EQ(FindSkin({{L"u", user}}, L"u", info, elsewhere.Wide()), 1);
  EXPECT_EQ(info.folder, user);
  EXPECT_EQ(info.file[0], L"walk.png");
  const struct {
    const wchar_t* file;
    int expected;
  } cases[] = {{L"..\\v\\v.png", 1}, {L"walk.png", 1}, {L"..\\..\\skin\\a\\a.png", 0}, {L"..\\..\\user\\v\\v.png", 0},
               {L"link.png", 0}};
  for (const auto& c : cases) {
    info.file[0] = c.file;
    EXPECT_EQ(CheckSkinFiles(info), c.expected) << c.file;
  }
}

}  // namespace
