#include "app/ini_encoding.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

// "猫", "𠮷" (outside the basic plane) and "ü".
const std::wstring kText = L"[W]\nS=\u732B\U00020BB7\u00FC\n";
const std::string kUtf8 = "[W]\nS=\xE7\x8C\xAB\xF0\xA0\xAE\xB7\xC3\xBC\n";

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(IniEncodingTest, ReadsUtf8WithOrWithoutMarkAndUtf16LeWithMark) {
  const std::string inputs[] = {kUtf8, "\xEF\xBB\xBF" + kUtf8, Utf16Le(u"[W]\nS=\u732B\U00020BB7\u00FC\n")};
  for (const std::string& bytes : inputs) EXPECT_EQ(DecodeIniBytes(bytes), kText);
}

TEST(IniEncodingTest, WritesUtf8) { EXPECT_EQ(WideToUtf8(kText), kUtf8); }

TEST(IniEncodingTest, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::wstring expected;
  };
  const Case cases[] = {
      {"a\xFF" "b", L"a\uFFFDb"},
      {"\xE7\x8C", L"\uFFFD\uFFFD"},          // cut short
      {"\xC0\xAF", L"\uFFFD\uFFFD"},          // overlong '/'
      {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
      {"\xFF\xFE" "A\x00\x00\xD8" "B"s, L"A\uFFFD"},  // lone surrogate, odd last byte
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeIniBytes(c.bytes), c.expected);
}

}  // namespace
