#pragma once
// Whole INI files on disk. Read: UTF-8 (with or without a byte-order mark) or
// UTF-16LE with its mark. Written: UTF-8 without a mark, through a temporary
// file beside the target that then replaces it in one step, so a crash or a
// failed write leaves the previous file exactly as it was.
#include <cstddef>
#include <cstdint>
#include <string>

class IniDocument;

// Larger files are not INI files this program wrote; they read as missing.
inline constexpr std::uintmax_t kIniFileMaxBytes = 16u << 20;

// False, with ini left empty, when the file is missing or cannot be read.
bool LoadIniFile(const std::wstring& path, IniDocument& ini);
bool SaveIniFile(const std::wstring& path, const IniDocument& ini);

// For tests: every later write of a temporary file stops after `bytes` bytes
// and reports failure, as a full disk would; a negative value ends this.
void FailIniWritesAfter(std::ptrdiff_t bytes);
