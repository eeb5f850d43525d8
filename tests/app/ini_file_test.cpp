#include "app/ini_file.h"

#include <gtest/gtest.h>

#include "app/ini_document.h"
#include "test_folder.h"

namespace {

const char kOldFile[] = "; mine\r\n[General]\r\nFPS=20\r\n";

class IniFileTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(folder.Path() / "config.ini", kOldFile);
    ini.Set(L"Window0", L"SkinName", L"\u306D\u3053");  // ねこ
  }
  void TearDown() override { FailIniWritesAfter(-1); }

  TestFolder folder;
  IniDocument ini;
};

TEST_F(IniFileTest, SaveReplacesTheFileWithUtf8WithoutMark) {
  ASSERT_TRUE(SaveIniFile(folder.Wide(L"config.ini"), ini));
  EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), "[Window0]\r\nSkinName=\xE3\x81\xAD\xE3\x81\x93\r\n");
}

TEST_F(IniFileTest, FailedWriteLeavesThePreviousFileByteForByte) {
  FailIniWritesAfter(5);
  EXPECT_FALSE(SaveIniFile(folder.Wide(L"config.ini"), ini));
  EXPECT_EQ(ReadBytes(folder.Path() / "config.ini"), kOldFile);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "config.ini.tmp"));
}

TEST_F(IniFileTest, SaveIntoAMissingFolderFailsAndCreatesNothing) {
  EXPECT_FALSE(SaveIniFile(folder.Wide(L"missing/config.ini"), ini));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "missing"));
}

}  // namespace
