#pragma once
// Text encodings of INI files and of file-system names. Wide strings hold
// UTF-16 on Windows and UTF-32 elsewhere; both directions handle either.
#include <string>
#include <string_view>

// UTF-8 with or without a byte-order mark, or UTF-16LE with its mark.
// Malformed sequences become U+FFFD.
std::wstring DecodeIniBytes(std::string_view bytes);

std::wstring Utf8ToWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view text);
