// What happens to config.ini in every form Windows writes it and in every
// place the program may find itself, played on the headless file system.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "app/app_settings.h"
#include "app/exe_path.h"
#include "app/one_instance.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The test's own converter, independent of the program's.
std::string Iconv(const std::string& text, const char* to, const char* from = "UTF-8") {
  iconv_t handle = iconv_open(to, from);
  std::string out(text.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t result = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(handle);
  if (result == static_cast<size_t>(-1)) return "<not convertible>";
  out.resize(out.size() - outLeft);
  return out;
}

const std::string kText =
    // Five ideographic spaces, each a zero low byte in UTF-16LE, and 設定.
    "; \xE3\x80\x80\xE3\x80\x80\xE3\x80\x80\xE3\x80\x80\xE3\x80\x80\xE8\xA8\xAD\xE5\xAE\x9A\r\n"
    "[General]\r\nFPS=15\r\n"
    "[Window0]\r\nSkinName=\xE3\x81\xBE\xE3\x82\x8B\r\n"        // まる
    "[\xE3\x81\x8A\xE3\x81\xBE\xE3\x81\x91]\r\nkey=\xE5\x80\xA4\r\n";  // [おまけ] key=値

class SettingsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    headless::SetPerUserDataFolder(folder.Wide(L"user"));
  }
  void TearDown() override { headless::Reset(); }

  std::wstring Config() const { return folder.Wide(L"config.ini"); }
  AppSettings Loaded(bool besideProgram = true) const {
    AppSettings settings(Config(), besideProgram);
    settings.Load();
    return settings;
  }
  // Loads, changes the frame rate, saves.
  void SaveWithFps(int32_t fps, bool besideProgram = true) {
    AppSettings settings = Loaded(besideProgram);
    settings.fps = fps;
    settings.Save();
  }

  TestFolder folder;
};

TEST_F(SettingsFileTest, EveryFormIsReadAndSavedBackInItsOwnForm) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* savedAs;  // the encoding the saved file must decode in; null: not written
    std::string savedMark;
  };
  const std::string bom = "\xEF\xBB\xBF";
  const Case cases[] = {
      {"UTF-8", kText, "UTF-8", ""},
      {"UTF-8 with mark", bom + kText, "UTF-8", bom},
      {"doubled UTF-8 mark", bom + bom + kText, "UTF-8", bom},
      {"UTF-16LE with mark", "\xFF\xFE" + Iconv(kText, "UTF-16LE"), "UTF-16LE", "\xFF\xFE"},
      {"UTF-16BE with mark", "\xFE\xFF" + Iconv(kText, "UTF-16BE"), "UTF-16BE", "\xFE\xFF"},
      {"UTF-16LE without mark", Iconv(kText, "UTF-16LE"), "UTF-16LE", ""},
      {"CP932", Iconv(kText, "CP932"), "CP932", ""},
      // 0x80 is no character in CP932 or UTF-8: it is lost, the rest is kept.
      {"invalid byte", Iconv(kText, "CP932") + "; \x80\r\n", "UTF-8", bom},
      {"UTF-32", "\xFF\xFE" + std::string(2, '\0') + Iconv(kText, "UTF-32LE"), nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder.Path() / "config.ini", c.bytes);
    const AppSettings loaded = Loaded();
    EXPECT_EQ(loaded.fps, c.savedAs ? 15 : 30);
    EXPECT_EQ(loaded.windows[0].skinName, c.savedAs ? L"\u307E\u308B" : L"");
    SaveWithFps(60);
    const std::string saved = ReadBytes(folder.Path() / "config.ini");
    if (c.savedAs == nullptr) {
      EXPECT_EQ(saved, c.bytes);
      continue;
    }
    ASSERT_TRUE(saved.starts_with(c.savedMark));
    const std::string text = Iconv(saved.substr(c.savedMark.size()), "UTF-8", c.savedAs);
    for (const char* line : {"\xE8\xA8\xAD\xE5\xAE\x9A\r\n[General]\r\nFPS=60\r\n",
                             "SkinName=\xE3\x81\xBE\xE3\x82\x8B\r\n", "\xE3\x81\x8A\xE3\x81\xBE\xE3\x81\x91]\r\nkey=",
                             "[Window9]\r\n"}) {
      EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    }
    EXPECT_EQ(Loaded().fps, 60);
    SaveWithFps(60);
    EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), saved) << "a second save changed the file";
  }
}

TEST_F(SettingsFileTest, AnsiFileThatCannotHoldANameBecomesUtf8WithMark) {
  WriteBytes(folder.Path() / "config.ini", Iconv(kText, "CP932"));
  AppSettings settings = Loaded();
  settings.windows[1].skinName = L"\u00E9t\u00E9 \U0001F431";  // été and a cat: no CP932 form
  settings.Save();
  const std::string saved = ReadBytes(folder.Path() / "config.ini");
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF")) << saved;
  EXPECT_EQ(Loaded().windows[1].skinName, settings.windows[1].skinName);
  EXPECT_EQ(Loaded().windows[0].skinName, L"\u307E\u308B");
  // Half-width katakana whose CP932 bytes (C2 B1) would read back as the UTF-8 of "±".
  WriteBytes(folder.Path() / "config.ini", Iconv("[Window0]\r\nSkinName=\xE3\x81\xAD\r\n", "CP932"));
  settings = Loaded();
  settings.windows[0].skinName = L"\uFF82\uFF71";
  settings.Save();
  EXPECT_EQ(Loaded().windows[0].skinName, L"\uFF82\uFF71");
}

TEST_F(SettingsFileTest, LockedFileIsWaitedForThenLeftAlone) {
  const std::string old = "[General]\r\nFPS=15\r\n";
  WriteBytes(folder.Path() / "config.ini", old);
  headless::SetFileLocked(Config(), 3);
  EXPECT_EQ(Loaded().fps, 15);

  headless::SetFileLocked(Config(), -1);
  const uint32_t before = platform::TimeGetTime();
  AppSettings settings = Loaded();
  const uint32_t waited = platform::TimeGetTime() - before;
  EXPECT_GE(waited, 500u);
  EXPECT_LE(waited, 1500u);
  EXPECT_EQ(settings.fps, 30);
  settings.Save();
  headless::Reset();
  EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), old);
}

TEST_F(SettingsFileTest, SettingsGoWhereTheyCanAndComeBackFromThere) {
  enum Place { Replaced, InPlace, NotWritten, PerUser };
  struct Case {
    const char* name;
    bool folderTakesFiles;
    bool fileWritable;
    bool readOnlyMark;
    bool fileExists;
    Place expected;
    bool besideProgram = true;
  };
  const Case cases[] = {
      {"writable folder", true, true, false, true, Replaced},
      {"folder refuses new files", false, true, false, true, InPlace},
      {"read-only mark", true, false, true, true, NotWritten},
      {"nothing writable", false, false, false, true, PerUser},
      {"no file, folder refuses", false, false, false, false, PerUser},
      {"installed for the system, run by root", true, true, false, true, PerUser, false},
  };
  const std::string old = "[General]\nFPS=15\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    for (const char* name : {"user", "config.ini", "witness"}) fs::remove_all(folder.Path() / name);
    if (c.fileExists) {
      WriteBytes(folder.Path() / "config.ini", old);
      // A second name of the same file: it sees a write in place, not a replacement.
      fs::create_hard_link(folder.Path() / "config.ini", folder.Path() / "witness");
    }
    headless::SetFolderAcceptsNewFiles(folder.Wide(), c.folderTakesFiles);
    headless::SetFileWritable(Config(), c.fileWritable);
    if (c.readOnlyMark) headless::SetFileReadOnly(Config());

    // What a second program running at once must not share.
    EXPECT_EQ(AppSettings(Config(), c.besideProgram).OwnFilePath(),
              c.expected == PerUser ? folder.Wide(L"user/config.ini") : Config());
    SaveWithFps(60, c.besideProgram);
    const std::string program = c.fileExists ? ReadBytes(folder.Path() / "config.ini") : "";
    const bool perUser = fs::exists(folder.Path() / "user/config.ini");
    EXPECT_EQ(perUser, c.expected == PerUser);
    if (c.expected == NotWritten || c.expected == PerUser) {
      EXPECT_EQ(program, c.fileExists ? old : "");
    }
    if (c.expected == Replaced || c.expected == InPlace) {
      EXPECT_NE(program.find("FPS=60\n"), std::string::npos);
      EXPECT_EQ(ReadBytes(folder.Path() / "witness") == program, c.expected == InPlace);
    }
    EXPECT_EQ(Loaded(c.besideProgram).fps, c.expected == NotWritten ? 15 : 60);
  }
}

TEST_F(SettingsFileTest, InstanceNameIsOneForAFileHoweverSpelledAndAnotherForAnotherFile) {
  fs::create_directories(folder.Path() / "a");
  fs::create_directories(folder.Path() / "b");
  fs::create_directory_symlink(folder.Path() / "a", folder.Path() / "link");
  const std::wstring a = InstanceName(folder.Wide(L"a/config.ini"));
  EXPECT_EQ(InstanceName(folder.Wide(L"b/../a/./config.ini")), a);
  EXPECT_EQ(InstanceName(folder.Wide(L"link/config.ini")), a);
  EXPECT_NE(InstanceName(folder.Wide(L"b/config.ini")), a);
}

TEST_F(SettingsFileTest, LeftOversAndFailuresNeverCostTheOldFile) {
  const std::string old = "[General]\r\nFPS=15\r\n; keep\r\n";
  WriteBytes(folder.Path() / "config.ini", old);
  // A crashed copy with our process id left a folder where the first temporary goes.
  const std::string stem = "config.ini." + std::to_string(platform::CurrentProcessId()) + "-";
  fs::create_directory(folder.Path() / (stem + "0.tmp"));
  SaveWithFps(60);
  EXPECT_EQ(Loaded().fps, 60);
  fs::remove(folder.Path() / (stem + "0.tmp"));

  // A full disk everywhere: no place takes it, and Save says where it last tried and why.
  WriteBytes(folder.Path() / "config.ini", old);
  headless::FailFileWritesAfter(10);
  AppSettings settings = Loaded();
  settings.fps = 60;
  EXPECT_FALSE(settings.Save());
  EXPECT_EQ(settings.LastSaveFailure().path, folder.Wide(L"user/config.ini"));
  EXPECT_EQ(settings.LastSaveFailure().reason, platform::FileError::Failed);
  headless::SetPerUserDataFolder(L"");
  EXPECT_FALSE(settings.Save());
  EXPECT_EQ(settings.LastSaveFailure().path, Config());
  EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), old);
  EXPECT_FALSE(fs::exists(folder.Path() / (stem + "1.tmp")));
}

// Whatever keeps the program's folder from taking the save, the per-user
// copy takes it, and the next start reads it there.
TEST_F(SettingsFileTest, SaveTheProgramsFolderRefusesGoesToThePerUserCopyReadAtTheNextStart) {
  const fs::path app = folder.Path() / "app", moved = folder.Path() / "moved";
  const std::wstring program = folder.Wide(L"app/config.ini");
  const std::string stem = "config.ini." + std::to_string(platform::CurrentProcessId()) + "-";
  struct Case {
    const char* name;
    std::function<void()> meanwhile;
    fs::path nextStart;
  };
  const Case cases[] = {
      {"full disk", [&] { headless::FailFileWritesAfter(10, folder.Wide(L"app")); }, app},
      {"folder renamed", [&] { fs::rename(app, moved); }, moved},
      {"config.ini replaced by a folder",
       [&] {
         fs::remove(app / "config.ini");
         fs::create_directory(app / "config.ini");
       },
       app},
      {"locked at exit", [&] { headless::SetFileLocked(program, -1); }, app},
      {"every temporary name taken",
       [&] {
         for (int n = 0; n < 8; ++n) fs::create_directory(app / (stem + std::to_string(n) + ".tmp"));
       },
       app},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    for (const fs::path& path : {app, moved, folder.Path() / "user"}) fs::remove_all(path);
    WriteBytes(app / "config.ini", "[General]\nFPS=15\n; mine\n");
    AppSettings settings(program);
    settings.Load();
    settings.fps = 60;
    c.meanwhile();
    EXPECT_TRUE(settings.Save());
    SetUp();
    const std::string perUser = ReadBytes(folder.Path() / "user/config.ini");
    EXPECT_NE(perUser.find("FPS=60\n; mine\n"), std::string::npos) << perUser;
    if (fs::is_regular_file(c.nextStart / "config.ini")) {
      EXPECT_EQ(ReadBytes(c.nextStart / "config.ini"), "[General]\nFPS=15\n; mine\n");
    }
    AppSettings next(FromFsPath(c.nextStart / "config.ini"));
    next.Load();
    EXPECT_EQ(next.fps, 60);
  }
  fs::remove(app / "config.ini");  // deleted by the user to start afresh
  AppSettings fresh(program);
  fresh.Load();
  EXPECT_EQ(fresh.fps, 30);
  // Another copy of the program, whose own folder takes its saves, keeps
  // its own settings though the per-user copy is newer.
  WriteBytes(moved / "config.ini", "[General]\nFPS=20\n");
  fs::last_write_time(moved / "config.ini", fs::last_write_time(folder.Path() / "user/config.ini") - 1h);
  AppSettings other(FromFsPath(moved / "config.ini"));
  other.Load();
  EXPECT_EQ(other.fps, 20);
}

// A config.ini linked in from elsewhere stays a link: the file it leads to is
// replaced (or, where its folder takes no new file, rewritten in place) and
// keeps its mode and owner.
TEST_F(SettingsFileTest, SavesThroughLinksIntoTheFileKeepingItsModeAndOwner) {
  const fs::path dot = folder.Path() / "dot";
  const std::string old = "[General]\nFPS=15\n";
  using Links = std::vector<std::pair<const char*, std::string>>;
  struct Case {
    const char* name;
    Links links;  // name in the program's folder, what it points at
    const char* saved;  // where the settings go, from the program's folder
    fs::perms mode;  // of an existing file; none: the file is not there yet
    bool dotTakesFiles = true;
  };
  const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
  const Case cases[] = {
      {"plain file, mode 600", {}, "config.ini", rw},
      {"relative link", {{"config.ini", "dot/settings.ini"}}, "dot/settings.ini", rw},
      {"chain ending in an absolute link", {{"config.ini", "hop"}, {"hop", (dot / "settings.ini").string()}},
       "dot/settings.ini", rw | fs::perms::group_read},
      {"link to a file not there yet", {{"config.ini", "dot/settings.ini"}}, "dot/settings.ini", fs::perms::none},
      {"link into a folder that takes no new file", {{"config.ini", "dot/settings.ini"}}, "dot/settings.ini", rw,
       false},
      {"loop", {{"config.ini", "hop"}, {"hop", "config.ini"}}, "user/config.ini", fs::perms::none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    for (const char* name : {"user", "dot", "config.ini", "hop", "witness"}) fs::remove_all(folder.Path() / name);
    fs::create_directory(dot);
    const fs::path saved = folder.Path() / c.saved;
    if (c.mode != fs::perms::none) {
      WriteBytes(saved, old);
      fs::permissions(saved, c.mode);
      ASSERT_EQ(chown(saved.c_str(), 1234, 5678), 0);
      fs::create_hard_link(saved, folder.Path() / "witness");  // sees a write in place only
    }
    for (const auto& [name, to] : c.links) fs::create_symlink(to, folder.Path() / name);
    headless::SetFolderAcceptsNewFiles(FromFsPath(dot), c.dotTakesFiles);

    SaveWithFps(60);
    EXPECT_EQ(fs::is_symlink(fs::symlink_status(folder.Path() / "config.ini")), !c.links.empty());
    const std::string text = ReadBytes(saved);
    EXPECT_NE(text.find("FPS=60"), std::string::npos);
    if (c.mode != fs::perms::none) {
      struct stat file {};
      ASSERT_EQ(stat(saved.c_str(), &file), 0);
      EXPECT_EQ(fs::status(saved).permissions(), c.mode);
      EXPECT_EQ(file.st_uid, 1234u);
      EXPECT_EQ(file.st_gid, 5678u);
      EXPECT_EQ(ReadBytes(folder.Path() / "witness") == text, !c.dotTakesFiles);
    }
    for (const fs::path& place : {folder.Path(), dot}) {
      for (const auto& entry : fs::directory_iterator(place)) EXPECT_NE(entry.path().extension(), ".tmp");
    }
  }
}

}  // namespace
