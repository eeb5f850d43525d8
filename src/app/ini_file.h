#pragma once
// Whole INI files on disk, in whatever form Windows wrote them (see
// ini_encoding.h), written back in that form.
#include <cstdint>
#include <string>

#include "app/ini_document.h"
#include "app/ini_encoding.h"
#include "platform/files.h"

// The largest file read. Nothing larger is ever written either, so a saved
// file is always read back.
inline constexpr uint64_t kIniFileMaxBytes = 16u << 20;

struct IniFile {
  IniDocument document;
  TextForm form;  // a new file: UTF-8 without a mark
};

enum class IniRead { Loaded, Missing, Locked, Unreadable };

// Reads path into file; anything but Loaded leaves file as a new, empty one.
// Unreadable covers files too large, folders, denied files and UTF-32 text;
// why, where given, gets the file error (Failed for text of no known form).
IniRead ReadIniFile(const std::wstring& path, IniFile& file, platform::FileError* why = nullptr);
// The bytes file is saved as; its form changes where it could not hold the text.
std::string IniFileBytes(IniFile& file);
// Writes bytes to a temporary file of this process's own beside path and puts
// it in path's place in one step, so an interrupted save leaves the old file;
// the file keeps its permissions. path is the file itself, not a link to it.
platform::FileError ReplaceIniFile(const std::wstring& path, const std::string& bytes);
