#pragma once
// A frame bitmap on the desktop: a DIB section selected into its own memory DC.
#include "platform/frame_bitmap.h"
#include "win32_windows.h"

struct FrameBitmap::Native {
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;  // what the memory DC held before the bitmap
  HDC dc = nullptr;
};
