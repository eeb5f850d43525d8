#pragma once
#include <cstdint>
#include <vector>

#include "skin/offscreen_surface.h"

// Frame k's pixels as stored, read through its row table from the top row down.
inline std::vector<uint8_t> FrameBytes(const OffscreenSurface& surface, int32_t k) {
  std::vector<uint8_t> bytes;
  const SurfaceFrame* frame = surface.Frame(k);
  if (frame == nullptr) return bytes;
  const size_t rowBytes = size_t(surface.FrameWidth()) * 4;
  for (int32_t j = 0; j < surface.FrameHeight(); ++j) {
    bytes.insert(bytes.end(), frame->rows[j], frame->rows[j] + rowBytes);
  }
  return bytes;
}
