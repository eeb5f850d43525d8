#include "face_parts.h"

#include "shapes.h"

void DrawEye(Canvas& canvas, Vec2 centre, Vec2 radii, Colour iris, float tilt) {
  auto local = [&](Vec2 p) { return RotateAround(p, centre, -tilt); };
  canvas.Fill([&](Vec2 p) { return EllipseDistance(local(p), centre, radii); }, iris);
  const Colour light = Hex(0xffffff);
  const Vec2 big = RotateAround(centre + Vec2{radii.x * 0.28f, -radii.y * 0.38f}, centre, tilt);
  const Vec2 small = RotateAround(centre + Vec2{-radii.x * 0.35f, radii.y * 0.42f}, centre, tilt);
  canvas.Fill([&](Vec2 p) { return CircleDistance(p, big, radii.x * 0.42f); }, light);
  canvas.Fill([&](Vec2 p) { return CircleDistance(p, small, radii.x * 0.2f); }, WithAlpha(light, 0.85f));
}

std::vector<Vec2> ArcPoints(Vec2 centre, float radius, float from, float to, int steps) {
  std::vector<Vec2> points;
  for (int i = 0; i <= steps; ++i) {
    const float angle = Mix(from, to, static_cast<float>(i) / steps);
    points.push_back(centre + Vec2{std::cos(angle), std::sin(angle)} * radius);
  }
  return points;
}

void DrawStroke(Canvas& canvas, const std::vector<Vec2>& points, float stroke, Colour colour) {
  canvas.Fill([&](Vec2 p) { return PolylineDistance(p, points) - stroke * 0.5f; }, colour);
}

void DrawClosedEye(Canvas& canvas, Vec2 centre, float halfWidth, float stroke, Colour colour) {
  // An arc of 110 degrees whose chord is the eye's width, bulging upwards.
  const float half = Radians(55.0f);
  const float radius = halfWidth / std::sin(half);
  const Vec2 arcCentre = centre + Vec2{0.0f, radius * std::cos(half) * 0.5f + radius * 0.5f};
  DrawStroke(canvas, ArcPoints(arcCentre, radius, -kPi / 2 - half, -kPi / 2 + half), stroke, colour);
}
