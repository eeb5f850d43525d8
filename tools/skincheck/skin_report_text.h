#pragma once
// A skin report in plain words, for skin authors, in the language they read.
#include <string>

#include "res/resources.h"
#include "skincheck/skin_check.h"

// The desktop program's file, as the user sees it on this system.
#ifdef _WIN32
inline constexpr wchar_t kProgramFileName[] = L"kitemaru.exe";
#else
inline constexpr wchar_t kProgramFileName[] = L"kitemaru";
#endif

// One problem in a sentence, led by its state: "Default: File 'a.png' not found (tried skin\x\a.png)".
std::wstring DescribeProblem(const SkinProblem& problem, UiLanguage language);

// "kite: usable — listed, loads, shows 6 frames of 96 x 96", or "x: NOT usable — <first problem>",
// then one indented line per further problem and per warning; every line ends with '\n'.
std::wstring FormatSkinReport(const SkinReport& report, UiLanguage language);
