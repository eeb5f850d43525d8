#pragma once
// What the command line asks of a start.
#include <string_view>

// Passed by the start-at-login entry: the control window goes straight to
// the tray, where one exists, instead of opening on the desktop.
inline constexpr std::wstring_view kStartInTrayFlag = L"--tray";
