#include "skin/offscreen_surface.h"

int OffscreenSurface::CreateFrames(int32_t width, int32_t newFrameHeight, int32_t newFrameCount) {
  Release();
  if (width <= 0 || newFrameHeight <= 0 || newFrameCount <= 0) return 0;
  if (width > kMaxFrameSide || newFrameHeight > kMaxFrameSide) return 0;
  const uint64_t height = uint64_t(newFrameHeight) * uint64_t(newFrameCount);
  if (uint64_t(width) * height * 4 > kMaxSurfaceBytes) return 0;
  if (!strip.Create(width, int32_t(height))) return 0;
  frameHeight = newFrameHeight;
  frameCount = newFrameCount;
  return 1;
}

void OffscreenSurface::Release() { strip.Destroy(); }

uint8_t* OffscreenSurface::FrameRow(int32_t k, int32_t j) const {
  if (!HasFrame(k) || j < 0 || j >= frameHeight) return nullptr;
  return strip.Row(k * frameHeight + j);
}
