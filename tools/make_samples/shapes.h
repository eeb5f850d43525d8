#pragma once

#include <span>

#include "geometry.h"

// Signed distances in pixels: negative inside, positive outside.
float CircleDistance(Vec2 p, Vec2 centre, float radius);
// Close to exact near the outline, which is all the anti-aliasing needs.
float EllipseDistance(Vec2 p, Vec2 centre, Vec2 radii);
float PolygonDistance(Vec2 p, std::span<const Vec2> vertices);

// Unsigned distances to thin figures; subtract half the stroke width.
float SegmentDistance(Vec2 p, Vec2 a, Vec2 b);
float PolylineDistance(Vec2 p, std::span<const Vec2> points);

// A union whose seam is rounded over about k pixels.
float SmoothUnion(float a, float b, float k);
