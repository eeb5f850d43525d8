#include "app/profile.h"

#include <gtest/gtest.h>

#include <limits>

#include "app/ini_document.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(ProfileTest, IntegerTextReadsAsItsLeadingDecimalNumber) {
  struct Case {
    const wchar_t* text;
    int32_t expected;
  };
  const Case cases[] = {
      {L"42", 42},      {L"  -17", -17},  {L"\t+5", 5},      {L"12abc", 12},     {L"3 4", 3},
      {L"abc", 0},      {L"", 0},         {L"-", 0},         {L"- 5", 0},        {L"\r\n7", 7},
      {L"2147483647", kMax},             {L"2147483648", kMax},   {L"-2147483648", kMin},
      {L"-2147483649", kMin},            {L"99999999999999999999999", kMax},
      {L"-99999999999999999999999", kMin}, {L"0x10", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.expected) << "text: " << c.text;
}

TEST(ProfileTest, DefaultOnlyWhenSectionOrKeyIsMissing) {
  const IniDocument ini(L"[General]\r\nEmpty=\r\nBlank=   \r\nValue = 12 \r\nQuoted='9'\r\n");
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    int32_t expected;
  };
  const Case cases[] = {
      {L"General", L"Missing", 77}, {L"Other", L"Value", 77}, {L"General", L"Empty", 0},
      {L"General", L"Blank", 0},    {L"General", L"Value", 12}, {L"General", L"Quoted", 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadProfileInt(ini, c.section, c.key, 77), c.expected) << c.section << L"/" << c.key;
  }
}

TEST(ProfileTest, StringsAreTrimmedAndLoseOnePairOfMatchingQuotes) {
  const IniDocument ini(L"[S]\nPlain=  a b  \nDouble=\"  a b \"\nSingle='x'\nMixed=\"x'\nLone=\"\nEquals=a=b\nEmpty=\n");
  struct Case {
    const wchar_t* key;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"Plain", L"a b"}, {L"Double", L"  a b "}, {L"Single", L"x"},       {L"Mixed", L"\"x'"},
      {L"Lone", L"\""},   {L"Equals", L"a=b"},    {L"Empty", L""},         {L"Missing", L"fallback"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadProfileString(ini, L"S", c.key, L"fallback"), c.expected) << c.key;
}

// Windows' wide strings are UTF-16: a cut never keeps half of a surrogate pair.
TEST(ProfileTest, LongStringsAreCutTo1023UnitsAndNeverInsideAPair) {
  const std::wstring head(1022, L'n');
  const std::pair<std::wstring, std::wstring> cases[] = {
      {std::wstring(2000, L'n'), std::wstring(1023, L'n')},
      {head + wchar_t(0xD83D) + wchar_t(0xDE3A), head},
      {head + wchar_t(0xDBFF) + wchar_t(0xDFFF), head},
  };
  const IniDocument ini(L"");
  for (const auto& [text, cut] : cases) EXPECT_EQ(ReadProfileString(ini, L"S", L"Missing", text), cut);
}

}  // namespace
