#pragma once
// The installed skins: folders under "skin" (relative to the current
// directory) that hold a skin.ini. Results are 1 for success and 0 for
// failure; nothing here shows a message.
#include <string>

#include "app/exe_path.h"
#include "skin/skin_info.h"

// Empties the catalogue and lists the skins in directory order; no "skin"
// folder leaves it empty.
void ScanSkins(SkinCatalogue& catalogue);

// Reads exeFolder\skin\<entry>\skin.ini into info; a missing file, section or
// key gives the defaults and still 1. 0, info untouched, for an index outside
// the catalogue.
int ReadSkinInfo(const SkinCatalogue& catalogue, int index, SkinInfo& info,
                 const std::wstring& exeFolder = GetExeFolder());

// ReadSkinInfo of the first entry equal to name, letter case significant;
// 0, info untouched, when there is none.
int FindSkin(const SkinCatalogue& catalogue, const std::wstring& name, SkinInfo& info,
             const std::wstring& exeFolder = GetExeFolder());

// 1 when every non-empty file of info exists inside "skin", 0 at the first
// missing one; a file outside "skin" counts as missing (SkinFileExists).
int CheckSkinFiles(const SkinInfo& info);
