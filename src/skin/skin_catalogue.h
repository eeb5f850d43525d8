#pragma once
// The installed skins: folders that hold a skin.ini, under the program's own
// "skin" (relative to the current directory), then under the user's and the
// system's skin folders. Results are 1 for success and 0 for failure;
// nothing here shows a message.
#include <string>
#include <vector>

#include "app/exe_path.h"
#include "skin/skin_info.h"

// The skin folders in the order they are read: kSkinFolder, then the
// platform's per-user and system ones.
std::vector<std::wstring> CatalogueFolders();

// Empties the catalogue and lists the skins of each folder in turn, each in
// directory order. A name listed from an earlier folder hides the same name
// in a later one; a missing or unreadable folder adds nothing.
void ScanSkins(SkinCatalogue& catalogue, const std::vector<std::wstring>& folders = CatalogueFolders());

// Reads <folder>\<name>\skin.ini of the entry into info, a relative folder
// taken in exeFolder; a missing file, section or key gives the defaults and
// still 1. 0, info untouched, for an index outside the catalogue.
int ReadSkinInfo(const SkinCatalogue& catalogue, int index, SkinInfo& info,
                 const std::wstring& exeFolder = GetExeFolder());

// ReadSkinInfo of the first entry equal to name, letter case significant;
// 0, info untouched, when there is none.
int FindSkin(const SkinCatalogue& catalogue, const std::wstring& name, SkinInfo& info,
             const std::wstring& exeFolder = GetExeFolder());

// 1 when every non-empty file of info exists inside its skin folder, 0 at
// the first missing one; a file outside counts as missing (SkinFileExists).
int CheckSkinFiles(const SkinInfo& info);
