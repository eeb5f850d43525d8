#include "qt_frame_bitmap.h"

#include <cstdint>
#include <cstdlib>
#include <new>

// The pixels are the program's own top-down buffer; one QImage made over it
// at creation is what a layered window draws from, with no copy or
// conversion per frame (premultiplied BGRA in memory is Qt's
// ARGB32_Premultiplied on a little-endian machine).
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "frame pixels are stored as little-endian ARGB words");

bool FrameBitmap::Create(int32_t newWidth, int32_t newHeight) {
  Destroy();
  if (newWidth <= 0 || newHeight <= 0) return false;
  if (uint64_t(newWidth) * uint64_t(newHeight) * 4 > uint64_t(INT32_MAX)) return false;
  const size_t bytes = size_t(newWidth) * size_t(newHeight) * 4;
  void* pixels = std::calloc(bytes, 1);
  if (pixels == nullptr) return false;
  auto* made = new (std::nothrow) Native{QImage(static_cast<uchar*>(pixels), newWidth, newHeight,
                                                qsizetype(newWidth) * 4, QImage::Format_ARGB32_Premultiplied)};
  if (made == nullptr || made->image.isNull()) {
    delete made;
    std::free(pixels);
    return false;
  }
  native = made;
  bits = static_cast<uint8_t*>(pixels);
  width = newWidth;
  height = newHeight;
  return true;
}

void FrameBitmap::Destroy() {
  delete native;
  std::free(bits);
  native = nullptr;
  bits = nullptr;
  width = 0;
  height = 0;
}

uint8_t* FrameBitmap::Row(int32_t y) const { return bits + size_t(y) * size_t(width) * 4; }
