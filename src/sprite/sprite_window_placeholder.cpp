#include "sprite_window_placeholder.h"

#include <cstring>

namespace {

// Premultiplied blue, green, red, alpha; all opaque, so every pixel takes clicks.
constexpr uint8_t kWarningRed[4] = {0x20, 0x20, 0xE0, 0xFF};
constexpr uint8_t kPaleYellow[4] = {0xC8, 0xF4, 0xFF, 0xFF};

bool Inside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

// A red frame two pixels wide around an exclamation mark.
bool IsRed(int32_t x, int32_t y) {
  constexpr int32_t kBorder = 2;
  constexpr int32_t kSide = kPlaceholderSide;
  if (!Inside(x, y, kBorder, kBorder, kSide - kBorder, kSide - kBorder)) return true;
  return Inside(x, y, 14, 6, 18, 20) || Inside(x, y, 14, 23, 18, 27);
}

}  // namespace

bool DrawPlaceholderTile(OffscreenSurface& tile) {
  if (tile.CreateFrames(kPlaceholderSide, kPlaceholderSide, 1) == 0) return false;
  for (int32_t y = 0; y < kPlaceholderSide; ++y) {
    uint8_t* row = tile.FrameRow(0, y);
    for (int32_t x = 0; x < kPlaceholderSide; ++x) {
      std::memcpy(row + 4 * x, IsRed(x, y) ? kWarningRed : kPaleYellow, sizeof kWarningRed);
    }
  }
  return true;
}
