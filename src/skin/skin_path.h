#pragma once
// Paths of a skin's files: "<folder>\<name>\<file>", where folder is the
// skin folder the catalogue found the skin in, the program's own "skin"
// relative to the current directory (which start-up sets to the executable's
// folder) or a full path. Backslashes in a skin.ini File value name
// subfolders; elsewhere than Windows they become '/'.
#include <string>
#include <string_view>

inline constexpr wchar_t kSkinFolder[] = L"skin";
inline constexpr wchar_t kSkinIniName[] = L"skin.ini";

std::wstring MakeSkinFilePath(std::wstring_view folder, std::wstring_view name, std::wstring_view file);

// Whether a File value, read as written, names something inside "skin": not
// absolute, rooted, on a drive or share, no ':' stream, no device name (NUL,
// COM1, ... with any extension), no ".." climbing above "skin". A skin may
// still use a strip of another skin of the same folder through
// "..\other\strip.png".
bool IsSkinFileValueInside(std::wstring_view file);

// IsSkinFileValueInside, and the path also resolves, through links and
// junctions where the system says where they lead, to inside folder.
bool SkinFileInside(std::wstring_view folder, std::wstring_view name, std::wstring_view file);

// An existing file of skin name that SkinFileInside allows; a file outside
// counts as missing.
bool SkinFileExists(std::wstring_view folder, std::wstring_view name, std::wstring_view file);
