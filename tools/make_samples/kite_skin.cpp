#include <array>

#include "face_parts.h"
#include "shapes.h"
#include "skins.h"

namespace {

const Colour kSkyPanel = Hex(0x7cc8f2);
const Colour kPalePanel = Hex(0xd4effc);
const Colour kKiteOutline = Hex(0x3576ad);
const Colour kInk = Hex(0x2a2740);
const Colour kCheek = Hex(0xff7f9b, 0.55f);
const Colour kString = Hex(0x646e86);
const std::array<Colour, 2> kBowFills = {Hex(0xff6f6f), Hex(0xffcf4a)};
const std::array<Colour, 2> kBowOutlines = {Hex(0xc04646), Hex(0xc8941e)};

// The kite's body in its own upright frame, centred on the crossing of the spars.
const std::array<Vec2, 4> kBodyCorners = {Vec2{0, -27}, Vec2{25, -3}, Vec2{0, 30}, Vec2{-25, -3}};
constexpr float kBodyRounding = 4.0f;
constexpr Vec2 kTailRoot{0, 32};

struct Pose {
  Vec2 centre;
  float tilt;
  float phase;
  Vec2 ToLocal(Vec2 p) const { return Rotate(p - centre, -tilt); }
  Vec2 ToCanvas(Vec2 local) const { return Rotate(local, tilt) + centre; }
};

float BodyDistance(Vec2 local) { return PolygonDistance(local, kBodyCorners) - kBodyRounding; }

Colour BodyShade(Vec2 local, float d) {
  // The panels alternate across the spars; the seams are anti-aliased too.
  const float right = Clamp01(local.x + 0.5f);
  const float below = Clamp01(local.y + 3.5f);
  const float sameSide = right * below + (1.0f - right) * (1.0f - below);
  const Colour base = Mix(kPalePanel, kSkyPanel, sameSide);
  // Lit from the upper left; a little darker towards the lower right edge.
  const float k = Dot(local, Normalize({0.45f, 1.0f})) / 32.0f;
  const float rim = 1.0f - SmoothStep(0.0f, 7.0f, -d);
  return Scale(base, 1.04f - 0.08f * k - 0.07f * rim * Clamp01(k + 0.4f));
}

std::vector<Vec2> TailPoints(const Pose& pose) {
  const Vec2 root = pose.ToCanvas(kTailRoot);
  const Vec2 bend = root + Vec2{8, 27};
  const Vec2 end{87, 77};
  std::vector<Vec2> points;
  constexpr int kSteps = 48;
  for (int i = 0; i <= kSteps; ++i) {
    const float t = static_cast<float>(i) / kSteps;
    const Vec2 onCurve = Mix(Mix(root, bend, t), Mix(bend, end, t), t);
    const Vec2 along = Normalize(Mix(bend - root, end - bend, t));
    const float sway = 4.5f * t * std::sin(2.0f * kPi * 1.2f * t - pose.phase);
    points.push_back(onCurve + Perpendicular(along) * sway);
  }
  return points;
}

void DrawBow(Canvas& canvas, Vec2 knot, Vec2 along, float flutter, int colour) {
  const Vec2 across = Perpendicular(along);
  const float reach = 6.0f * flutter;
  auto wing = [&](float side) {
    const Vec2 tip = knot + across * (reach * side);
    return std::array<Vec2, 3>{knot, tip + along * 3.2f, tip - along * 3.2f};
  };
  const std::array<Vec2, 3> left = wing(-1.0f);
  const std::array<Vec2, 3> right = wing(1.0f);
  auto wings = [&](Vec2 p) { return std::min(PolygonDistance(p, left), PolygonDistance(p, right)) - 1.0f; };
  auto knotShape = [&](Vec2 p) { return CircleDistance(p, knot, 2.4f); };
  FillOutlined(canvas, wings, [&](Vec2, float) { return kBowFills[colour]; }, kBowOutlines[colour], 1.3f);
  FillOutlined(canvas, knotShape, [&](Vec2, float) { return Scale(kBowFills[colour], 0.92f); }, kBowOutlines[colour],
               1.2f);
}

void DrawTail(Canvas& canvas, const Pose& pose) {
  const std::vector<Vec2> points = TailPoints(pose);
  DrawStroke(canvas, points, 1.5f, kString);
  std::vector<float> lengthTo(points.size(), 0.0f);
  for (std::size_t i = 1; i < points.size(); ++i) lengthTo[i] = lengthTo[i - 1] + Length(points[i] - points[i - 1]);
  // Bows at even spacing along the string, wherever the wave has carried it.
  constexpr std::array<float, 3> kBowPlaces = {0.36f, 0.64f, 0.92f};
  for (std::size_t b = 0; b < kBowPlaces.size(); ++b) {
    std::size_t i = 1;
    while (i + 2 < points.size() && lengthTo[i] < kBowPlaces[b] * lengthTo.back()) ++i;
    const Vec2 along = Normalize(points[i + 1] - points[i - 1]);
    const float flutter = 1.0f + 0.14f * std::sin(pose.phase * 2.0f + b * 2.1f);
    DrawBow(canvas, points[i], along, flutter, static_cast<int>(b % 2));
  }
}

void DrawBody(Canvas& canvas, const Pose& pose) {
  auto distance = [&](Vec2 p) { return BodyDistance(pose.ToLocal(p)); };
  FillOutlined(canvas, distance, [&](Vec2 p, float d) { return BodyShade(pose.ToLocal(p), d); }, kKiteOutline, 2.0f);
  // A soft gloss on the upper left panel.
  const Vec2 gloss = pose.ToCanvas({-9, -14});
  canvas.Fill(
      [&](Vec2 p) {
        const Vec2 q = Rotate(p - gloss, -pose.tilt - Radians(-45.0f));
        return std::max(EllipseDistance(q, {}, {6.5f, 2.6f}), distance(p) + 4.0f);
      },
      Hex(0xffffff, 0.6f), 2.0f);
}

void DrawFace(Canvas& canvas, const Pose& pose) {
  auto at = [&](Vec2 local) { return pose.ToCanvas(local); };
  auto inside = [&](Vec2 p) { return BodyDistance(pose.ToLocal(p)) + 3.0f; };
  DrawBlush(canvas, at({-13, 6}), {4.2f, 2.6f}, kCheek, inside);
  DrawBlush(canvas, at({13, 6}), {4.2f, 2.6f}, kCheek, inside);
  DrawEye(canvas, at({-8, 0}), {3.1f, 4.1f}, kInk, pose.tilt);
  DrawEye(canvas, at({8, 0}), {3.1f, 4.1f}, kInk, pose.tilt);
  std::vector<Vec2> smile = ArcPoints({0, 4.5f}, 3.2f, Radians(25.0f), Radians(155.0f));
  for (Vec2& point : smile) point = at(point);
  DrawStroke(canvas, smile, 1.5f, kInk);
}

}  // namespace

std::vector<Canvas> DrawKiteFrames() {
  std::vector<Canvas> frames;
  for (int f = 0; f < kKiteFrames; ++f) {
    const float phase = 2.0f * kPi * f / kKiteFrames;
    const Pose pose{{40.0f, 35.0f - 1.5f * std::sin(phase)}, Radians(4.0f) * std::sin(phase + 0.9f), phase};
    Canvas canvas(kKiteSize, kKiteSize);
    DrawTail(canvas, pose);
    DrawBody(canvas, pose);
    DrawFace(canvas, pose);
    frames.push_back(std::move(canvas));
  }
  return frames;
}
