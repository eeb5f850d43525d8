#pragma once
#include <cstdint>
#include <vector>

#include "skin/offscreen_surface.h"

// Frame k's pixels as stored, read row by row from its top row down.
inline std::vector<uint8_t> FrameBytes(const OffscreenSurface& surface, int32_t k) {
  std::vector<uint8_t> bytes;
  if (!surface.HasFrame(k)) return bytes;
  const size_t rowBytes = size_t(surface.FrameWidth()) * 4;
  for (int32_t j = 0; j < surface.FrameHeight(); ++j) {
    const uint8_t* row = surface.FrameRow(k, j);
    bytes.insert(bytes.end(), row, row + rowBytes);
  }
  return bytes;
}
