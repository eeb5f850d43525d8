#include <cstdlib>

#include "headless_world.h"
#include "platform/frame_bitmap.h"

// The fake keeps a bitmap as its pixels alone, with no Native part.

bool FrameBitmap::Create(int32_t newWidth, int32_t newHeight) {
  Destroy();
  if (newWidth <= 0 || newHeight <= 0) return false;
  const uint64_t bytes = uint64_t(newWidth) * uint64_t(newHeight) * 4;
  if (bytes > SIZE_MAX || headless::detail::Refused(headless::Resource::Bitmap)) return false;
  void* pixels = std::calloc(size_t(bytes), 1);
  if (pixels == nullptr) return false;
  bits = static_cast<uint8_t*>(pixels);
  width = newWidth;
  height = newHeight;
  return true;
}

void FrameBitmap::Destroy() {
  std::free(bits);
  bits = nullptr;
  width = 0;
  height = 0;
}

// Bottom-up, as a DIB section with a positive height lies.
uint8_t* FrameBitmap::Row(int32_t y) const { return bits + size_t(height - 1 - y) * size_t(width) * 4; }
