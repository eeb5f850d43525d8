#pragma once
// The tray icon's part in the window procedure.
#include "win32_windows.h"

namespace win32 {

// Sees every message of the program's windows: a taskbar started anew
// ("TaskbarCreated") knows no icon, so the owner's icon is added again.
void TrayWindowMessage(HWND hwnd, UINT message);

}  // namespace win32
