#pragma once
// What a sprite shows when its skin gives it no frame: a small tile of the
// program's own that plainly says something is wrong, so that the sprite can
// still be found, dragged, switched and closed.
#include <cstdint>

#include "skin/offscreen_surface.h"

inline constexpr int32_t kPlaceholderSide = 32;

// Draws the tile into tile as its one frame, opaque; false, with the surface
// empty, when the system cannot make it.
bool DrawPlaceholderTile(OffscreenSurface& tile);
