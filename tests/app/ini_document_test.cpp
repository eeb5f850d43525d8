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
  IniDocument ini(L"; settings\r\n[General]\r\n  fps = 20\r\nExtra=keep me\r\n\r\n[Other]\r\nX=1\r\n");
  ini.Set(L"GENERAL", L"FPS", L"60");
  EXPECT_EQ(ini.Text(), L"; settings\r\n[General]\r\n  fps = 60\r\nExtra=keep me\r\n\r\n[Other]\r\nX=1\r\n");
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

TEST(IniDocumentTest, ValueWithALineBreakOrNulIsRefusedAndTheOldOneKept) {
  IniDocument ini(L"[Window0]\r\nSkinName=old\r\n");
  const std::wstring values[] = {L"a\r\n[General]", L"a\nb", L"a\rb", std::wstring(L"a\0b", 3)};
  for (const std::wstring& value : values) {
    EXPECT_FALSE(ini.Set(L"Window0", L"SkinName", value));
    EXPECT_FALSE(ini.Set(L"Window1", L"SkinName", value));
  }
  EXPECT_EQ(ini.Text(), L"[Window0]\r\nSkinName=old\r\n");
}

TEST(IniDocumentTest, EachLineKeepsItsEndingAndNewLinesTakeTheCommonest) {
  struct Case {
    const wchar_t* text;
    const wchar_t* expected;  // after setting A/New=v and B/K=v
  };
  const Case cases[] = {
      {L"[A]\nx=1\r\r\ny=2\n", L"[A]\nx=1\r\r\ny=2\nNew=v\n\n[B]\nK=v\n"},
      {L"[A]\r\nx=1\n[C]\rz", L"[A]\r\nx=1\nNew=v\r\n[C]\rz\r\n\r\n[B]\r\nK=v\r\n"},
      {L"[A]\rx=1\r", L"[A]\rx=1\rNew=v\r\r[B]\rK=v\r"},
      {L"", L"[A]\r\nNew=v\r\n\r\n[B]\r\nK=v\r\n"},
  };
  for (const Case& c : cases) {
    IniDocument ini(c.text);
    ini.Set(L"A", L"New", L"v");
    ini.Set(L"B", L"K", L"v");
    EXPECT_EQ(ini.Text(), c.expected) << c.text;
  }
}

TEST(IniDocumentTest, SectionNameEndsAtItsFirstBracket) {
  const IniDocument ini(L"[Window0] ; my sprite ]\nSkinName=neko\n");
  EXPECT_EQ(ini.Find(L"Window0", L"SkinName"), L"neko");
}

}  // namespace
