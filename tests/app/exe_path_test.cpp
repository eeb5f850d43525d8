#include "app/exe_path.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/headless/headless.h"
#endif

namespace {

TEST(ExePathTest, RemoveFileSpecDropsTheLastComponent) {
  struct Case {
    const wchar_t* path;
    const wchar_t* expected;
  };
  const Case cases[] = {
#ifdef _WIN32
      {L"C:\\Program Files\\kitemaru\\kitemaru.exe", L"C:\\Program Files\\kitemaru"},
      {L"C:\\kitemaru.exe", L"C:\\"},
      {L"C:/games/kitemaru.exe", L"C:/games"},
      {L"\\\\server\\share\\kitemaru.exe", L"\\\\server\\share"},
      {L"\\kitemaru.exe", L"\\"},
#else
      {L"/opt/kitemaru/kitemaru", L"/opt/kitemaru"},
      {L"/kitemaru", L"/"},
      {L"/a\\b/kitemaru", L"/a\\b"},
      {L"a:/b/kitemaru", L"a:/b"},  // a drive root only where drives are
#endif
      {L"kitemaru.exe", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(RemoveFileSpec(c.path), c.expected) << c.path;
}

TEST(ExePathTest, ExePathIsTheExecutablesFolderJoinedWithTheName) {
#ifdef _WIN32
  EXPECT_TRUE(std::filesystem::is_directory(ToFsPath(GetExeFolder())));
  EXPECT_EQ(MakeExePath(L"config.ini"), GetExeFolder() + L"\\config.ini");
#else
  headless::SetExecutablePath(L"/opt/\u51E7/kitemaru");
  EXPECT_EQ(GetExeFolder(), L"/opt/\u51E7");
  EXPECT_EQ(MakeExePath(L"config.ini"), L"/opt/\u51E7/config.ini");
  headless::SetExecutablePath(L"/kitemaru");
  EXPECT_EQ(MakeExePath(L"config.ini"), L"/config.ini");
  headless::SetExecutablePath(L"");
#endif
}

}  // namespace
