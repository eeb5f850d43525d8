#pragma once
// Paths of a skin's files relative to the current directory, which start-up
// sets to the executable's folder: "skin\<name>\<file>". Backslashes in a
// skin.ini File value name subfolders; elsewhere than Windows they become '/'.
#include <string>
#include <string_view>

inline constexpr wchar_t kSkinFolder[] = L"skin";
inline constexpr wchar_t kSkinIniName[] = L"skin.ini";

std::wstring MakeSkinFilePath(std::wstring_view name, std::wstring_view file);
