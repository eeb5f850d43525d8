#include "shapes.h"

#include <limits>

float CircleDistance(Vec2 p, Vec2 centre, float radius) { return Length(p - centre) - radius; }

float EllipseDistance(Vec2 p, Vec2 centre, Vec2 radii) {
  const Vec2 q = p - centre;
  const float k0 = Length(q / radii);
  const float k1 = Length(q / (radii * radii));
  if (k1 <= 0.0f) return -std::min(radii.x, radii.y);
  return k0 * (k0 - 1.0f) / k1;
}

float PolygonDistance(Vec2 p, std::span<const Vec2> vertices) {
  float squared = std::numeric_limits<float>::max();
  bool inside = false;
  for (std::size_t i = 0, j = vertices.size() - 1; i < vertices.size(); j = i++) {
    const Vec2 edge = vertices[j] - vertices[i];
    const Vec2 w = p - vertices[i];
    const Vec2 nearest = w - edge * Clamp01(Dot(w, edge) / Dot(edge, edge));
    squared = std::min(squared, Dot(nearest, nearest));
    const bool above = p.y >= vertices[i].y;
    const bool belowNext = p.y < vertices[j].y;
    const bool leftTurn = Cross(edge, w) > 0.0f;
    if ((above && belowNext && leftTurn) || (!above && !belowNext && !leftTurn)) inside = !inside;
  }
  const float distance = std::sqrt(squared);
  return inside ? -distance : distance;
}

float SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const float t = Clamp01(Dot(p - a, ab) / Dot(ab, ab));
  return Length(p - (a + ab * t));
}

float PolylineDistance(Vec2 p, std::span<const Vec2> points) {
  float distance = std::numeric_limits<float>::max();
  for (std::size_t i = 1; i < points.size(); ++i) {
    distance = std::min(distance, SegmentDistance(p, points[i - 1], points[i]));
  }
  return distance;
}

float SmoothUnion(float a, float b, float k) {
  const float h = Clamp01(0.5f + 0.5f * (b - a) / k);
  return Mix(b, a, h) - k * h * (1.0f - h);
}
