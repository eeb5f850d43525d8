#pragma once

#include <vector>

#include "canvas.h"

// Features shared by the characters; sizes are in pixels, positions on the canvas.

// An open eye: a dark oval with two catch-lights, turned by `tilt` radians.
void DrawEye(Canvas& canvas, Vec2 centre, Vec2 radii, Colour iris, float tilt = 0.0f);

// A closed, smiling eye: an upward arc (^) of the given half-width.
void DrawClosedEye(Canvas& canvas, Vec2 centre, float halfWidth, float stroke, Colour colour);

// A soft rosy cheek; `clip` keeps it inside the face.
template <class Clip>
void DrawBlush(Canvas& canvas, Vec2 centre, Vec2 radii, Colour colour, const Clip& clip);

// Points along a circular arc, angles in radians measured clockwise from +x.
std::vector<Vec2> ArcPoints(Vec2 centre, float radius, float from, float to, int steps = 16);

void DrawStroke(Canvas& canvas, const std::vector<Vec2>& points, float stroke, Colour colour);

#include "face_parts_inl.h"
