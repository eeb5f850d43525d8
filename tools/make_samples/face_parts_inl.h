#pragma once

#include "shapes.h"

template <class Clip>
void DrawBlush(Canvas& canvas, Vec2 centre, Vec2 radii, Colour colour, const Clip& clip) {
  const float feather = radii.y * 0.9f;
  canvas.Fill([&](Vec2 p) { return std::max(EllipseDistance(p, centre, radii), clip(p) * feather); }, colour, feather);
}
