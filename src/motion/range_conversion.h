#pragma once
// Between screen pixels and normalised screen units, where 65535 spans the
// primary screen. Units become pixels as size * value / 65535, the product
// first and truncated; the editor reads a range's position and its size that
// way, the size from the difference right - left. Products are formed in 64
// bits so that hand-edited values far off the screen cannot overflow.
#include <cstdint>
#include <optional>

#include "app/move_range.h"
#include "platform/geometry.h"

inline constexpr int32_t kUnitSpan = 65535;

int32_t SaturateToInt32(int64_t value);
// screenSize * units / 65535, the product first, truncated toward zero.
int32_t UnitsToPixels(int64_t units, int32_t screenSize);

// The editor's rectangle for a move range: position and size in pixels.
Rect RangeToPixels(const MoveRange& range, Size screen);
// The units that RangeToPixels reads back as exactly these pixels, for any
// screen up to 65535 pixels wherever the units fit in 32 bits (beyond, they
// clamp). Nothing while the screen has no size.
std::optional<MoveRange> PixelsToRange(const Rect& pixels, Size screen);
