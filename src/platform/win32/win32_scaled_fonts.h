#pragma once
#include "win32_windows.h"

#include <cstdint>

namespace win32 {

// A stock font (SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT) at a display scale: the
// stock object itself at the system scale (96 dpi on an unscaled desktop),
// else a copy of it with its size scaled,
// made once per font and scale and deleted at exit. Falls back to the stock
// font when no copy can be made.
HGDIOBJ ScaledStockFont(int stockId, int32_t dpi);

}  // namespace win32
