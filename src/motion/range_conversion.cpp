#include "range_conversion.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
// 65535 * pixels / size rounded away from zero: the value nearest zero that
// the truncating read gives back as pixels. (The older quotient-first form,
// (65535 / size) * pixels, fell short and shrank a range at every accept.)
int64_t PixelsToUnits(int64_t pixels, int32_t screenSize) {
  const int64_t magnitude = ((pixels < 0 ? -pixels : pixels) * kUnitSpan + screenSize - 1) / screenSize;
  return pixels < 0 ? -magnitude : magnitude;
}
}  // namespace

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
  // The far edges go through the size, as the read takes it.
  const int64_t left = PixelsToUnits(pixels.left, screen.cx);
  const int64_t top = PixelsToUnits(pixels.top, screen.cy);
  const int64_t width = PixelsToUnits(int64_t{pixels.right} - pixels.left, screen.cx);
  const int64_t height = PixelsToUnits(int64_t{pixels.bottom} - pixels.top, screen.cy);
  return MoveRange{SaturateToInt32(left), SaturateToInt32(top), SaturateToInt32(left + width),
                   SaturateToInt32(top + height)};
}
