#pragma once
// Reads with the results of GetPrivateProfileIntW / GetPrivateProfileStringW:
// the default only when the section or key is missing.
#include <cstdint>
#include <string>
#include <string_view>

class IniDocument;

// Profile strings come back in a buffer of 1024 characters.
inline constexpr size_t kProfileStringMax = 1023;

// Leading white space, an optional sign, decimal digits; the rest is
// ignored. No digits reads as 0; values beyond 32 bits give the nearest limit.
int32_t ParseProfileInt(std::wstring_view text);

int32_t ReadProfileInt(const IniDocument& ini, std::wstring_view section, std::wstring_view key,
                       int32_t defaultValue);
// The value (or the default) cut to kProfileStringMax characters.
std::wstring ReadProfileString(const IniDocument& ini, std::wstring_view section, std::wstring_view key,
                               std::wstring_view defaultText);
