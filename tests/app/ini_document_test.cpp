#include "app/ini_document.h"

#include <gtest/gtest.h>

namespace {

TEST(IniDocumentTest, FindMatchesNamesWithoutCaseAndTakesTheFirstMatch) {
  struct Case {
    const wchar_t *text, *section, *key;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {L"[general]\r\nfps=5\r\n[WINDOW0]\r\nSKINNAME=neko\r\n", L"General", L"FPS", L"5"},
      {L"[general]\r\nfps=5\r\n[WINDOW0]\r\nSKINNAME=neko\r\n", L"Window0", L"SkinName", L"neko"},
      {L"[A]\nK=1\nK=2\n[a]\nK=3\nL=4\n", L"A", L"K", L"1"},
      {L"[A]\nK=1\nK=2\n[a]\nK=3\nL=4\n", L"A", L"L", std::nullopt},  // like Windows: a repeat is not searched
      {L"[S]\n;K=1\n  ; K=2\nK\nOther=3\n", L"S", L"K", std::nullopt},  // comments and lines without =
      {L"[S]\n;K=1\n  ; K=2\nK\nOther=3\n", L"S", L";K", std::nullopt},
      {L"[Window0] ; my sprite ]\nSkinName=neko\n", L"Window0", L"SkinName", L"neko"},  // name ends at first ]
  };
  for (const Case& c : cases) EXPECT_EQ(IniDocument(c.text).Find(c.section, c.key), c.expected) << c.text << c.key;
}

TEST(IniDocumentTest, ValuesTheReaderWouldChangeReadBackAsWritten) {
  const std::wstring values[] = {L" leading", L"trailing ", L"\"quoted\"", L"'single'", L"plain", L""};
  IniDocument ini;
  for (const std::wstring& value : values) {
    EXPECT_TRUE(ini.Set(L"S", L"K", value));
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

// A key is replaced in place, else added after its section's last key; each line keeps its ending and new
// lines take the commonest.
TEST(IniDocumentTest, SetChangesOnlyTheLineOfItsKeyOrAddsOne) {
  struct Case {
    const wchar_t* text;
    const wchar_t* expected;  // after setting A/New=v and B/K=v
  };
  const Case cases[] = {
      {L"; c\r\n[a]\r\n  new = 1\r\nX=keep\r\n\r\n[B]\r\nK=2\r\n",
       L"; c\r\n[a]\r\n  new = v\r\nX=keep\r\n\r\n[B]\r\nK=v\r\n"},
      {L"[A]\nK=1\n; note\n\n[B]\nL=2\n", L"[A]\nK=1\nNew=v\n; note\n\n[B]\nL=2\nK=v\n"},
      {L"[A]\nx=1\r\r\ny=2\n", L"[A]\nx=1\r\r\ny=2\nNew=v\n\n[B]\nK=v\n"},
      {L"[A]\r\nx=1\n[C]\rz", L"[A]\r\nx=1\nNew=v\r\n[C]\rz\r\n\r\n[B]\r\nK=v\r\n"},
      {L"[A]\rx=1\r", L"[A]\rx=1\rNew=v\r\r[B]\rK=v\r"},
      {L"", L"[A]\r\nNew=v\r\n\r\n[B]\r\nK=v\r\n"},
  };
  for (const Case& c : cases) {
    IniDocument ini(c.text);
    EXPECT_TRUE(ini.Set(L"A", L"New", L"v"));
    EXPECT_TRUE(ini.Set(L"B", L"K", L"v"));
    EXPECT_EQ(ini.Text(), c.expected) << c.text;
  }
}

}  // namespace
