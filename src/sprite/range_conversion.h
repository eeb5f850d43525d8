#pragma once
// Between screen pixels and normalised screen units, where 65535 spans the
// primary screen. The two directions are deliberately not inverses: pixels to
// units takes the quotient 65535 / size first, units to pixels the product
// size * value first. Products are formed in 64 bits so that hand-edited
// values far off the screen cannot overflow.
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
// Nothing while the screen has no size.
std::optional<MoveRange> PixelsToRange(const Rect& pixels, Size screen);
