#include "range_conversion.h"

#include <algorithm>
#include <cstdint>
#include <limits>

int32_t SaturateToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t UnitsToPixels(int64_t units, int32_t screenSize) {
  return SaturateToInt32(units * screenSize / kUnitSpan);
}

Rect RangeToPixels(const MoveRange& range, Size screen) {
  const int32_t x = UnitsToPixels(range.left, screen.cx);
  const int32_t y = UnitsToPixels(range.top, screen.cy);
  const int32_t cx = UnitsToPixels(int64_t{range.right} - range.left, screen.cx);
  const int32_t cy = UnitsToPixels(int64_t{range.bottom} - range.top, screen.cy);
  return Rect{x, y, SaturateToInt32(int64_t{x} + cx), SaturateToInt32(int64_t{y} + cy)};
}

std::optional<MoveRange> PixelsToRange(const Rect& pixels, Size screen) {
  if (screen.cx <= 0 || screen.cy <= 0) return std::nullopt;
  const int64_t qx = kUnitSpan / screen.cx;
  const int64_t qy = kUnitSpan / screen.cy;
  return MoveRange{SaturateToInt32(qx * pixels.left), SaturateToInt32(qy * pixels.top),
                   SaturateToInt32(qx * pixels.right), SaturateToInt32(qy * pixels.bottom)};
}
