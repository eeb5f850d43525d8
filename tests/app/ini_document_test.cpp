#include "app/ini_document.h"

#include <gtest/gtest.h>

namespace {

TEST(IniDocumentTest, SectionAndKeyNamesIgnoreLetterCase) {
  const IniDocument ini(L"[general]\r\nfps=5\r\n[WINDOW0]\r\nSKINNAME=neko\r\n");
  EXPECT_EQ(ini.Find(L"General", L"FPS"), L"5");
  EXPECT_EQ(ini.Find(L"Window0", L"SkinName"), L"neko");
}

TEST(IniDocumentTest, FirstMatchingSectionAndKeyWin) {
  const IniDocument ini(L"[A]\nK=1\nK=2\n[a]\nK=3\nL=4\n");
  EXPECT_EQ(ini.Find(L"A", L"K"), L"1");
  // Like the Windows reader, a repeated section is not searched.
  EXPECT_EQ(ini.Find(L"A", L"L"), std::nullopt);
}

TEST(IniDocumentTest, CommentsAndLinesWithoutEqualsHoldNoKey) {
  const IniDocument ini(L"[S]\n;K=1\n  ; K=2\nK\nOther=3\n");
  EXPECT_EQ(ini.Find(L"S", L"K"), std::nullopt);
  EXPECT_EQ(ini.Find(L"S", L";K"), std::nullopt);
}

TEST(IniDocumentTest, SetReplacesTheValueInPlaceAndKeepsEveryOtherLine) {
  IniDocument ini(
      L"; settings\r\n"
      L"[General]\r\n"
      L"  fps = 20\r\n"
      L"Extra=keep me\r\n"
      L"\r\n"
      L"[Other]\r\n"
      L"X=1\r\n");
  ini.Set(L"GENERAL", L"FPS", L"60");
  EXPECT_EQ(ini.Text(),
            L"; settings\r\n"
            L"[General]\r\n"
            L"  fps = 60\r\n"
            L"Extra=keep me\r\n"
            L"\r\n"
            L"[Other]\r\n"
            L"X=1\r\n");
}

TEST(IniDocumentTest, SetAddsAMissingKeyAfterTheLastKeyOfItsSection) {
  IniDocument ini(L"[A]\nK=1\n; note\n\n[B]\nL=2\n");
  ini.Set(L"A", L"New", L"v");
  EXPECT_EQ(ini.Text(), L"[A]\nK=1\nNew=v\n; note\n\n[B]\nL=2\n");
}

TEST(IniDocumentTest, ValuesTheReaderWouldChangeReadBackAsWritten) {
  const std::wstring values[] = {L" leading", L"trailing ", L"\"quoted\"", L"'single'", L"plain", L""};
  IniDocument ini;
  for (const std::wstring& value : values) {
    ini.Set(L"S", L"K", value);
    EXPECT_EQ(IniDocument(ini.Text()).Find(L"S", L"K"), value);
  }
}

TEST(IniDocumentTest, LineBreaksInAValueCannotAddLines) {
  IniDocument ini;
  ini.Set(L"Window0", L"SkinName", L"a\r\n[General]\nFPS=1");
  const IniDocument reread(ini.Text());
  EXPECT_EQ(reread.Find(L"General", L"FPS"), std::nullopt);
  EXPECT_EQ(reread.Find(L"Window0", L"SkinName"), L"a  [General] FPS=1");
}

}  // namespace
