#include "skin/offscreen_surface.h"

#include <new>

OffscreenSurface::~OffscreenSurface() { Release(); }

int OffscreenSurface::CreateFrames(int32_t newWidth, int32_t frameHeight, int32_t newFrameCount) {
  Release();
  if (newWidth <= 0 || frameHeight <= 0 || newFrameCount <= 0) return 0;
  if (newWidth > kMaxSurfaceSide || frameHeight > kMaxSurfaceSide) return 0;
  const uint64_t frameBytes = uint64_t(newWidth) * uint64_t(frameHeight) * 4;
  if (frameBytes * uint64_t(newFrameCount) > kMaxSurfaceBytes) return 0;

  frames.reset(new (std::nothrow) SurfaceFrame[newFrameCount]);
  if (!frames) return 0;
  width = newWidth;
  const size_t stride = size_t(newWidth) * 4;
  for (int32_t i = 0; i < newFrameCount; ++i) {
    SurfaceFrame& frame = frames[i];
    frame.rows.reset(new (std::nothrow) uint8_t*[frameHeight]);
    if (!frame.rows || !frame.bitmap.Create(newWidth, frameHeight)) {
      Release();
      return 0;
    }
    frame.bits = frame.bitmap.Bits();
    for (int32_t l = 0; l < frameHeight; ++l) {
      frame.rows[frameHeight - 1 - l] = frame.bits + size_t(l) * stride;
    }
  }
  info.width = newWidth;
  info.height = frameHeight;
  frameCount = newFrameCount;
  return 1;
}

void OffscreenSurface::Release() {
  // Each frame's destructor frees its row table and its bitmap.
  frames.reset();
}

const SurfaceFrame* OffscreenSurface::Frame(int32_t k) const {
  if (IsEmpty() || k < 0 || k >= frameCount) return nullptr;
  return &frames[k];
}
