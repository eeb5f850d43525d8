#pragma once
// Paths as the program builds them: wide strings joined with the platform's
// separator (the backslash of the Windows path forms is '/' elsewhere).
#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

// The path without its last component, like PathRemoveFileSpecW: no
// trailing separator unless what is left is a root ("C:\", "\", "/").
std::wstring RemoveFileSpec(std::wstring_view path);

// The running executable's folder.
std::wstring GetExeFolder();
// GetExeFolder(), a separator, then name.
std::wstring MakeExePath(std::wstring_view name);
// folder, a separator unless folder already ends with one, then name.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// NOTE: outside Windows, std::filesystem converts wide strings through the C
// locale and fails on Japanese names; these go through UTF-8 instead.
std::filesystem::path ToFsPath(std::wstring_view path);
std::wstring FromFsPath(const std::filesystem::path& path);
