#include "app/ini_file.h"

#include <gtest/gtest.h>

#include "app/ini_document.h"
#include "test_folder.h"

namespace {

const char kOldFile[] = "; mine\r\n[General]\r\nFPS=20\r\n";

class IniFileTest : public testing::Test {
 protected:
  void TearDown() override { FailIniWritesAfter(-1); }

  TestFolder folder;
};

TEST_F(IniFileTest, MissingFileLoadsAsEmpty) {
  IniDocument ini(L"[A]\nK=1\n");
  EXPECT_FALSE(LoadIniFile(folder.Wide(L"config.ini"), ini));
  EXPECT_EQ(ini.Text(), L"");
}

TEST_F(IniFileTest, SavedFileIsUtf8WithoutMarkAndReadsBack) {
  IniDocument ini;
  ini.Set(L"Window0", L"SkinName", L"\u306D\u3053");  // ねこ
  ASSERT_TRUE(SaveIniFile(folder.Wide(L"config.ini"), ini));
  EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), "[Window0]\r\nSkinName=\xE3\x81\xAD\xE3\x81\x93\r\n");
  IniDocument reread;
  ASSERT_TRUE(LoadIniFile(folder.Wide(L"config.ini"), reread));
  EXPECT_EQ(reread.Find(L"Window0", L"SkinName"), L"\u306D\u3053");
}

TEST_F(IniFileTest, SaveReplacesAnExistingFile) {
  WriteBytes(folder.Path() / "config.ini", kOldFile);
  IniDocument ini;
  ini.Set(L"General", L"FPS", L"60");
  ASSERT_TRUE(SaveIniFile(folder.Wide(L"config.ini"), ini));
  EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), "[General]\r\nFPS=60\r\n");
}

TEST_F(IniFileTest, FailedWriteLeavesThePreviousFileByteForByte) {
  WriteBytes(folder.Path() / "config.ini", kOldFile);
  IniDocument ini;
  ini.Set(L"General", L"FPS", L"60");
  FailIniWritesAfter(5);
  EXPECT_FALSE(SaveIniFile(folder.Wide(L"config.ini"), ini));
  EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), kOldFile);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "config.ini.tmp"));
}

TEST_F(IniFileTest, SaveIntoAMissingFolderFailsAndCreatesNothing) {
  IniDocument ini;
  ini.Set(L"General", L"FPS", L"60");
  EXPECT_FALSE(SaveIniFile(folder.Wide(L"missing/config.ini"), ini));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "missing"));
}

TEST_F(IniFileTest, JapaneseFileNamesWork) {
  const std::wstring path = folder.Wide(L"\u8A2D\u5B9A.ini");  // 設定.ini
  IniDocument ini;
  ini.Set(L"S", L"K", L"v");
  ASSERT_TRUE(SaveIniFile(path, ini));
  IniDocument reread;
  ASSERT_TRUE(LoadIniFile(path, reread));
  EXPECT_EQ(reread.Find(L"S", L"K"), L"v");
}

}  // namespace
