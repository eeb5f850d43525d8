#pragma once
// Where sprites stand: a new sprite is put where it can be seen, and a sprite
// restored on a monitor that is gone, or left behind when the display layout
// changes, is brought back, since it could never be dragged back.
#include <optional>
#include <vector>

#include "platform/geometry.h"
#include "platform/monitors.h"

// The side of the square that must show on some work area for a window to
// count as reachable (its whole size, if it is smaller).
inline constexpr int32_t kReachableSquare = 16;

// Nothing when the window is reachable where it is; otherwise the top-left
// corner that brings it into the work area of its nearest monitor, wholly
// when it fits. Nothing without monitors.
std::optional<Point> RescuedPosition(const Rect& window, const std::vector<MonitorInfo>& monitors);

// Where a sprite of `size` appears in a place that has never held one: on
// the primary work area, clear of the `taken` rectangles (the control window,
// the other sprites). The spots step across the middle of the area, rows
// nearest the middle first; the middle itself when none is clear. Nothing
// without monitors.
std::optional<Point> FirstPosition(Size size, const std::vector<MonitorInfo>& monitors, const std::vector<Rect>& taken);
