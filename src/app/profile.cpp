#include "app/profile.h"

#include <algorithm>
#include <limits>

#include "app/ini_document.h"

namespace {

bool IsWhiteSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

std::wstring CutToProfileBuffer(std::wstring_view text) {
  if (text.size() <= kProfileStringMax) return std::wstring(text);
  size_t length = kProfileStringMax;
  // NOTE: with UTF-16 wide strings the cut must not leave half a surrogate pair.
  const auto last = static_cast<uint32_t>(text[length - 1]);
  if (last >= 0xD800 && last <= 0xDBFF) --length;
  return std::wstring(text.substr(0, length));
}

}  // namespace

int32_t ParseProfileInt(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  const int64_t limit = negative ? kMax + 1 : kMax;
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    // Saturates instead of overflowing; further digits cannot bring it back.
    magnitude = std::min<int64_t>(magnitude * 10 + (text[i] - L'0'), limit);
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

int32_t ReadProfileInt(const IniDocument& ini, std::wstring_view section, std::wstring_view key,
                       int32_t defaultValue) {
  const auto value = ini.Find(section, key);
  return value ? ParseProfileInt(*value) : defaultValue;
}

std::wstring ReadProfileString(const IniDocument& ini, std::wstring_view section, std::wstring_view key,
                               std::wstring_view defaultText) {
  const auto value = ini.Find(section, key);
  return CutToProfileBuffer(value ? std::wstring_view(*value) : defaultText);
}
