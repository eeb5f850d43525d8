#include "app/app_settings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/ini_file.h"
#include "support/test_folder.h"

namespace {

class AppSettingsTest : public testing::Test {
 protected:
  std::wstring ConfigPath() const { return folder.Wide(L"config.ini"); }
  std::filesystem::path ConfigFile() const { return folder.Path() / "config.ini"; }

  AppSettings Loaded() const {
    AppSettings settings(ConfigPath());
    settings.Load();
    return settings;
  }

  TestFolder folder;
};

// The key=value lines of a file, in order, with their section.
std::vector<std::string> KeyLines(const std::string& text) {
  std::vector<std::string> keys;
  std::istringstream in(text);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) section = line;
    else if (line.find('=') != std::string::npos) keys.push_back(section + line);
  }
  return keys;
}

// Every default shows in the file a first start writes.
TEST_F(AppSettingsTest, SaveOfDefaultsWritesAll81KeysInOrder) {
  AppSettings settings = Loaded();
  settings.Save();
  std::vector<std::string> expected = {"[General]FPS=30"};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string section = "[Window" + std::to_string(slot) + "]";
    for (const char* line : {"MoveRangeLeft=16383", "MoveRangeTop=16383", "MoveRangeRight=49151",
                             "MoveRangeBottom=49151", "TopMost=0", "SkinName=", "MoveMethod=0", "Position="}) {
      expected.push_back(section + line);
    }
  }
  EXPECT_EQ(KeyLines(ReadBytes(ConfigFile())), expected);
}

TEST_F(AppSettingsTest, PositionTextGivesTwoIntegersOrNone) {
  struct Case {
    const char* line;
    std::optional<Point> expected;
  };
  const Case cases[] = {
      {"Position=100", {}},          {"Position=120, 340", {{120, 340}}}, {"Position=,5,,7,", {{5, 7}}},
      {"Position=a,b", {{0, 0}}},    {"Position=-20,30", {{-20, 30}}},    {"Position=1,2,3", {{1, 2}}},
      {"Position=", {}},             {"Position=5, ,9", {{5, 0}}},         {"", {}},
      {"Position=99999999999,-99999999999", {{2147483647, -2147483647 - 1}}},
  };
  for (const Case& c : cases) {
    WriteBytes(ConfigFile(), std::string("[Window0]\n") + c.line + "\n");
    EXPECT_EQ(Loaded().windows[0].position, c.expected) << c.line;
  }
}

TEST_F(AppSettingsTest, EveryFieldRoundTripsUnchanged) {
  const std::wstring names[] = {L"\u307E\u308B\u3055\u3093", L" spaced ", L"\U00020BB7", L"skin"};
  AppSettings settings(ConfigPath());
  settings.fps = 45;  // off the menu's rates
  for (int slot = 0; slot < kSlotCount; ++slot) {
    settings.windows[slot].moveRange = {60000 + slot, -slot, 100, 200 + slot};  // left beyond right
    settings.windows[slot].topMost = slot % 2;
    settings.windows[slot].skinName = names[slot % 4] + std::to_wstring(slot);
    settings.windows[slot].moveMethod = slot - 3;
    settings.windows[slot].position = Point{-1000 * slot, 7 * slot};
  }
  settings.windows[9].position.reset();  // a place that never held a sprite
  settings.Save();
  const AppSettings loaded = Loaded();
  EXPECT_EQ(loaded.fps, 45);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    EXPECT_EQ(loaded.windows[slot].moveRange, settings.windows[slot].moveRange);
    EXPECT_EQ(loaded.windows[slot].topMost, settings.windows[slot].topMost);
    EXPECT_EQ(loaded.GetSkinName(slot), settings.windows[slot].skinName);
    EXPECT_EQ(loaded.windows[slot].moveMethod, settings.windows[slot].moveMethod);
    EXPECT_EQ(loaded.windows[slot].position, settings.windows[slot].position);
  }
  EXPECT_EQ(loaded.GetSkinName(-1), L"");  // slots outside the table have no skin
  EXPECT_EQ(loaded.GetSkinName(kSlotCount), L"");
}

TEST_F(AppSettingsTest, FrameRateThatIsNotAPositiveNumberLoadsAndSavesAsTheDefault) {
  const std::pair<const char*, int32_t> cases[] = {{"abc", 30}, {"0", 30}, {"-5", 30}, {"", 30}, {"45", 45}, {"1", 1}};
  for (const auto& [text, fps] : cases) {
    WriteBytes(ConfigFile(), std::string("[General]\nFPS=") + text + "\n");
    AppSettings settings = Loaded();
    EXPECT_EQ(settings.fps, fps) << text;
    settings.Save();
    EXPECT_EQ(KeyLines(ReadBytes(ConfigFile())).front(), "[General]FPS=" + std::to_string(fps)) << text;
  }
}

// Save reads the file again, so lines added by hand while the program ran are kept too.
TEST_F(AppSettingsTest, SaveKeepsUnknownSectionsKeysAndComments) {
  const std::string hand = "; written by hand\r\n[general]\r\nfps=15\r\nTheme=dark\r\n\r\n[Window3]\r\n; my favourite\r\n"
                           "SkinName=neko\r\nNote=keep\r\n\r\n";
  WriteBytes(ConfigFile(), hand);
  AppSettings settings = Loaded();
  WriteBytes(ConfigFile(), hand + "[Plugins]\r\nClock=1\r\n");
  settings.fps = 60;
  settings.Save();
  const std::string text = ReadBytes(ConfigFile());
  EXPECT_TRUE(text.starts_with("; written by hand\r\n[general]\r\nfps=60\r\nTheme=dark\r\n")) << text;
  EXPECT_NE(text.find("[Window3]\r\n; my favourite\r\nSkinName=neko\r\nNote=keep\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Plugins]\r\nClock=1\r\n"), std::string::npos) << text;
  EXPECT_EQ(KeyLines(text).size(), 81u + 3u);
}

TEST_F(AppSettingsTest, UnreadableFileIsNeitherLoadedNorOverwritten) {
  // Larger than any config.ini: it reads as missing and must survive the exit.
  const std::string huge = "[General]\r\nFPS=15\r\n" + std::string(16u << 20, ';');
  WriteBytes(ConfigFile(), huge);
  AppSettings settings = Loaded();
  EXPECT_EQ(settings.fps, 30);
  EXPECT_TRUE(settings.Save());
  EXPECT_EQ(ReadBytes(ConfigFile()), huge);
}

}  // namespace
