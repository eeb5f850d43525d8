#include "app/ini_file.h"

#include <string>

IniRead ReadIniFile(const std::wstring& path, IniFile& file, platform::FileError* why) {
  file = IniFile{};
  std::string bytes;
  const platform::FileError read = platform::ReadWholeFile(path, kIniFileMaxBytes, bytes);
  if (why != nullptr) *why = read;
  switch (read) {
    case platform::FileError::None:
      break;
    case platform::FileError::Missing:
      return IniRead::Missing;
    case platform::FileError::Locked:
      return IniRead::Locked;
    default:
      return IniRead::Unreadable;
  }
  const auto form = DetectTextForm(bytes);
  if (!form) {
    if (why != nullptr) *why = platform::FileError::Failed;
    return IniRead::Unreadable;
  }
  file.form = *form;
  file.document = IniDocument(DecodeTextFile(bytes, *form));
  return IniRead::Loaded;
}

std::string IniFileBytes(IniFile& file) { return EncodeTextFile(file.document.Text(), file.form); }

platform::FileError ReplaceIniFile(const std::wstring& path, const std::string& bytes) {
  // A name per process, and a few of them, so that another copy saving at
  // the same moment or a left-over of a crashed one never stands in the way.
  const std::wstring stem = path + L"." + std::to_wstring(platform::CurrentProcessId()) + L"-";
  constexpr int kNames = 8;
  for (int n = 0; n < kNames; ++n) {
    const std::wstring temporary = stem + std::to_wstring(n) + L".tmp";
    const platform::FileError written = platform::WriteNewFile(temporary, bytes, path);
    if (written == platform::FileError::Exists) continue;
    if (written != platform::FileError::None) return written;
    const platform::FileError replaced = platform::ReplaceFile(temporary, path);
    if (replaced != platform::FileError::None) platform::DeleteFile(temporary);
    return replaced;
  }
  return platform::FileError::Exists;
}
