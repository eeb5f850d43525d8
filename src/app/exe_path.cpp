#include "app/exe_path.h"

#include "app/ini_encoding.h"
#include "platform/system.h"

namespace {

bool IsSeparator(wchar_t c) {
#ifdef _WIN32
  return c == L'\\' || c == L'/';
#else
  return c == L'/';
#endif
}

}  // namespace

std::wstring RemoveFileSpec(std::wstring_view path) {
  size_t cut = path.size();
  while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
  if (cut == 0) return std::wstring();
  const bool isRoot = cut == 1 || (cut == 3 && path[1] == L':');
  return std::wstring(path.substr(0, isRoot ? cut : cut - 1));
}

std::wstring GetExeFolder() { return RemoveFileSpec(platform::ExecutablePath()); }

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!path.empty() && !IsSeparator(path.back())) path += kPathSeparator;
  path += name;
  return path;
}

std::wstring MakeExePath(std::wstring_view name) { return JoinPath(GetExeFolder(), name); }

std::filesystem::path ToFsPath(std::wstring_view path) {
#ifdef _WIN32
  return std::filesystem::path(path);
#else
  const std::string utf8 = WideToUtf8(path);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#endif
}

std::wstring FromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.wstring();
#else
  const std::u8string utf8 = path.u8string();
  return Utf8ToWide(std::string(utf8.begin(), utf8.end()));
#endif
}
