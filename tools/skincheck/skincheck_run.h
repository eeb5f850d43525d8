#pragma once
// One run of kitemaru-skincheck over the folder its argument names.
#include <string>
#include <vector>

inline constexpr int kExitAllUsable = 0;
inline constexpr int kExitNotUsable = 1;
inline constexpr int kExitUsage = 2;

// Appends one report per skin to out, or the reason the argument names no
// skins to err; returns the exit code. Works from the folder holding "skin"
// as the program does, and goes back to the current directory afterwards.
int RunSkinCheck(const std::wstring& argument, std::wstring& out, std::wstring& err);

// The whole command line after the program's name: help on stdout for -h,
// --help or /? (the Windows habit, taken everywhere so it is never a folder),
// usage on err for anything but one argument, else RunSkinCheck.
int RunSkinCheckCommand(const std::vector<std::wstring>& arguments, std::wstring& out, std::wstring& err);
