#include "range_conversion.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int64_t kUnitSpan = 65535;

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t ToPixels(int32_t size, int64_t units) { return Clamp32(size * units / kUnitSpan); }

}  // namespace

Rect RangeToPixels(const MoveRange& range, Size screen) {
  const int32_t x = ToPixels(screen.cx, range.left);
  const int32_t y = ToPixels(screen.cy, range.top);
  const int32_t cx = ToPixels(screen.cx, int64_t{range.right} - range.left);
  const int32_t cy = ToPixels(screen.cy, int64_t{range.bottom} - range.top);
  return Rect{x, y, Clamp32(int64_t{x} + cx), Clamp32(int64_t{y} + cy)};
}

std::optional<MoveRange> PixelsToRange(const Rect& pixels, Size screen) {
  if (screen.cx <= 0 || screen.cy <= 0) return std::nullopt;
  const int64_t qx = kUnitSpan / screen.cx;
  const int64_t qy = kUnitSpan / screen.cy;
  return MoveRange{Clamp32(qx * pixels.left), Clamp32(qy * pixels.top), Clamp32(qx * pixels.right),
                   Clamp32(qy * pixels.bottom)};
}
