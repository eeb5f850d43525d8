#pragma once
// One run of kitemaru-skincheck over the folder its argument names.
#include <string>

inline constexpr int kExitAllUsable = 0;
inline constexpr int kExitNotUsable = 1;
inline constexpr int kExitUsage = 2;

// Appends one report per skin to out, or the reason the argument names no
// skins to err; returns the exit code. Works from the folder holding "skin"
// as the program does, and goes back to the current directory afterwards.
int RunSkinCheck(const std::wstring& argument, std::wstring& out, std::wstring& err);
