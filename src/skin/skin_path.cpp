#include "skin/skin_path.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "app/exe_path.h"

namespace fs = std::filesystem;

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c; }

bool EqualsUpper(std::wstring_view text, std::wstring_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (Upper(text[i]) != upper[i]) return false;
  }
  return true;
}

// Windows opens a device, not a file, for these names whatever the folder,
// the extension or trailing dots and spaces: "nul.png", "COM1 .txt".
bool IsDeviceName(std::wstring_view part) {
  const size_t stem = part.find_first_of(L". ");
  std::wstring_view name = part.substr(0, stem);
  static constexpr std::array<std::wstring_view, 6> kFixed = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (std::wstring_view device : kFixed) {
    if (EqualsUpper(name, device)) return true;
  }
  if (name.size() != 4) return false;
  const bool numbered = EqualsUpper(name.substr(0, 3), L"COM") || EqualsUpper(name.substr(0, 3), L"LPT");
  const wchar_t digit = name[3];
  // Superscript one, two and three count as digits here too.
  return numbered &&
         ((digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3');
}

bool OnlyDotsAndSpaces(std::wstring_view part) { return part.find_first_not_of(L". ") == std::wstring_view::npos; }

bool StartsWith(const fs::path& path, const fs::path& prefix) {
  auto part = path.begin();
  for (const fs::path& wanted : prefix) {
    if (part == path.end() || *part != wanted) return false;
    ++part;
  }
  return true;
}

}  // namespace

std::wstring MakeSkinFilePath(std::wstring_view folder, std::wstring_view name, std::wstring_view file) {
  std::wstring path = JoinPath(folder, name);
  path += kPathSeparator;
  for (const wchar_t c : file) path += c == L'\\' ? kPathSeparator : c;
  return path;
}

bool IsSkinFileValueInside(std::wstring_view file) {
  // A leading separator is a root or a UNC share; ':' a drive or a stream.
  if (file.empty() || IsSeparator(file.front()) || file.find(L':') != std::wstring_view::npos) return false;
  // Folders below "skin"; the value starts in the skin's own folder.
  int depth = 1;
  size_t start = 0;
  while (start <= file.size()) {
    size_t end = start;
    while (end < file.size() && !IsSeparator(file[end])) ++end;
    const std::wstring_view part = file.substr(start, end - start);
    if (part == L"..") {
      if (--depth < 0) return false;
    } else if (!part.empty() && part != L".") {
      if (OnlyDotsAndSpaces(part) || IsDeviceName(part)) return false;
      ++depth;
    }
    start = end + 1;
  }
  return true;
}

bool SkinFileInside(std::wstring_view folder, std::wstring_view name, std::wstring_view file) {
  if (!IsSkinFileValueInside(file)) return false;
  std::error_code error;
  const fs::path skinFolder = fs::canonical(ToFsPath(folder), error);
  if (error) return false;
  const fs::path target = fs::weakly_canonical(ToFsPath(MakeSkinFilePath(folder, name, file)), error);
  return !error && StartsWith(target, skinFolder);
}

bool SkinFileExists(std::wstring_view folder, std::wstring_view name, std::wstring_view file) {
  if (!SkinFileInside(folder, name, file)) return false;
  std::error_code error;
  return fs::exists(ToFsPath(MakeSkinFilePath(folder, name, file)), error);
}
