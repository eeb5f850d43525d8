#pragma once
// Which skins a command-line argument names: one skin folder, a "skin" folder
// of skins, or the folder that holds "skin" (where kitemaru.exe lives).
#include <string>
#include <vector>

#include "res/resources.h"

struct SkinTarget {
  // The folder holding "skin": the program's current directory and exe folder.
  std::wstring exeFolder;
  // Skin folder names inside "skin", in listing order.
  std::vector<std::wstring> names;
  // False for a skin whose parent folder is not named "skin": the program
  // would never list it, wherever its files are.
  bool inSkinFolder = true;
  // The folder that holds the skins, as the user may look for it.
  std::wstring skinFolder;
};

// False, with why filled in language, when the argument is no folder or none of the three.
bool ResolveSkinTarget(const std::wstring& argument, SkinTarget& target, std::wstring& why, UiLanguage language);
