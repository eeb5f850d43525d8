#pragma once
// One run of kitemaru-skincheck over the folder its argument names, or over
// every skin folder the program reads.
#include <string>
#include <vector>

inline constexpr int kExitAllUsable = 0;
inline constexpr int kExitNotUsable = 1;
inline constexpr int kExitUsage = 2;

// Appends one report per skin to out, or the reason the argument names no
// skins to err; returns the exit code. Works from the folder holding "skin"
// as the program does, and goes back to the current directory afterwards.
int RunSkinCheck(const std::wstring& argument, std::wstring& out, std::wstring& err);

// Checks the skins of each folder in turn (as CatalogueFolders lists them,
// the relative one taken in exeFolder) under a line naming the folder; a
// skin hidden by one of the same name in an earlier folder is named as such.
int RunSkinCheckEverywhere(const std::wstring& exeFolder, const std::vector<std::wstring>& folders,
                           std::wstring& out, std::wstring& err);

// The whole command line after the program's name: help on stdout for -h,
// --help or /? (the Windows habit, taken everywhere so it is never a folder),
// RunSkinCheckEverywhere for none, usage on err for more than one argument,
// else RunSkinCheck.
int RunSkinCheckCommand(const std::vector<std::wstring>& arguments, std::wstring& out, std::wstring& err);
