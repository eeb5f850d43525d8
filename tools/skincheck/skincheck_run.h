#pragma once
// One run of kitemaru-skincheck over the folder its argument names.
#include <string>
#include <vector>

#include "res/resources.h"

inline constexpr int kExitAllUsable = 0;
inline constexpr int kExitNotUsable = 1;
inline constexpr int kExitUsage = 2;

// Appends one report per skin to out, or the reason the argument names no
// skins to err, in language; returns the exit code. Works from the folder
// holding "skin" as the program does, and goes back to the current directory
// afterwards.
int RunSkinCheck(const std::wstring& argument, UiLanguage language, std::wstring& out, std::wstring& err);

// Checks the skins of each folder in turn (as CatalogueFolders lists them,
// the relative one taken in exeFolder) under a line naming the folder; a
// skin hidden by one of the same name in an earlier folder is named as such.
int RunSkinCheckEverywhere(const std::wstring& exeFolder, const std::vector<std::wstring>& folders,
                           UiLanguage language, std::wstring& out, std::wstring& err);

// The whole command line after the program's name: "--lang ja|en" first
// chooses the language, else the program's own choice does (config.ini's
// Language, then the system's); then help on stdout for -h, --help or /?
// (the Windows habit, taken everywhere so it is never a folder),
// RunSkinCheckEverywhere for no argument, usage on err for more than one
// argument or an unknown language, else RunSkinCheck.
int RunSkinCheckCommand(const std::vector<std::wstring>& arguments, std::wstring& out, std::wstring& err);
