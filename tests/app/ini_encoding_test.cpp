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

}  // namespace
