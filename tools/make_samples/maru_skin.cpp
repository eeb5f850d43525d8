#include <array>

#include "face_parts.h"
#include "shapes.h"
#include "skins.h"

namespace {

const Colour kBody = Hex(0xffc891);
const Colour kBodyLight = Hex(0xffe6c8);
const Colour kBodyOutline = Hex(0xd0804a);
const Colour kLeaf = Hex(0x96d86e);
const Colour kLeafOutline = Hex(0x4f9a3c);
const Colour kInk = Hex(0x3b2520);
const Colour kMouth = Hex(0x8a3b36);
const Colour kTongue = Hex(0xff8f8f);
const Colour kCheek = Hex(0xff7f8f, 0.5f);

constexpr float kGround = 121.0f;
constexpr float kOutline = 2.5f;

enum class Mouth { Smile, Open, Small };

// Everything that changes between frames. Parts are placed in the upright
// frame of the body and then leant about its centre; the feet stay planted.
struct Pose {
  Vec2 radii{44, 38};
  float lift = 0;
  float lean = 0;           // radians, positive leans right
  Vec2 faceShift{};         // where the face has turned to
  float faceWidth = 1;      // narrower when the face turns sideways
  float sproutTilt = 0;     // radians
  float armRaise = 0;       // 0 resting .. 1 raised
  bool eyesClosed = false;
  Mouth mouth = Mouth::Smile;

  Vec2 Centre() const { return {64, kGround - 5 - radii.y - lift}; }
  Vec2 ToUpright(Vec2 p) const { return RotateAround(p, Centre(), -lean); }
  Vec2 ToCanvas(Vec2 upright) const { return RotateAround(upright, Centre(), lean); }
};

Pose PoseFor(MaruLook look, int frame) {
  Pose pose;
  if (look == MaruLook::Ahead) {
    // A hop: rest, stretch on the way up, a happy blink at the top, squash on landing.
    switch (frame) {
      case 1:
        pose.radii = {41.5f, 41};
        pose.lift = 6;
        pose.sproutTilt = Radians(-6);
        pose.armRaise = 0.6f;
        break;
      case 2:
        pose.radii = {43, 39};
        pose.lift = 10;
        pose.sproutTilt = Radians(4);
        pose.armRaise = 1;
        pose.eyesClosed = true;
        pose.mouth = Mouth::Open;
        break;
      case 3:
        pose.radii = {47.5f, 34.5f};
        pose.sproutTilt = Radians(9);
        pose.armRaise = 0.2f;
        break;
      default:
        break;
    }
    return pose;
  }
  const bool bob = frame == 1;
  if (bob) {
    pose.radii = {43.5f, 38.5f};
    pose.lift = 2;
  }
  switch (look) {
    case MaruLook::Up:
      pose.faceShift = {0, -10};
      pose.sproutTilt = Radians(bob ? 12 : 8);
      pose.armRaise = bob ? 0.9f : 0.7f;
      pose.mouth = Mouth::Small;
      break;
    case MaruLook::Down:
      pose.faceShift = {0, 8};
      pose.sproutTilt = Radians(bob ? -4 : -8);
      break;
    case MaruLook::Left:
    case MaruLook::Right: {
      const float side = look == MaruLook::Left ? -1.0f : 1.0f;
      pose.faceShift = {13 * side, 1};
      pose.faceWidth = 0.85f;
      pose.lean = Radians(bob ? 7 : 5) * side;
      pose.sproutTilt = Radians(bob ? -16 : -10) * side;
      break;
    }
    default:
      break;
  }
  return pose;
}

float BodyDistance(const Pose& pose, Vec2 upright) { return EllipseDistance(upright, pose.Centre(), pose.radii); }

Colour BodyShade(const Pose& pose, Vec2 upright, float d) {
  const Vec2 c = pose.Centre();
  // Soft light from the upper left, a touch deeper towards the lower right rim.
  const float k = Dot((upright - c) / pose.radii, Normalize({0.5f, 1.0f}));
  const Colour lit = Mix(kBodyLight, kBody, SmoothStep(-0.9f, 0.3f, k));
  const float rim = 1.0f - SmoothStep(0.0f, 8.0f, -d);
  return Scale(lit, 1.0f - 0.08f * rim * Clamp01(k + 0.5f));
}

template <class Shape>
void FillPart(Canvas& canvas, const Pose& pose, const Shape& upright, Colour fill, Colour outline, float width) {
  FillOutlined(canvas, [&](Vec2 p) { return upright(pose.ToUpright(p)); }, [&](Vec2, float) { return fill; }, outline,
               width);
}

void DrawFeet(Canvas& canvas, Pose pose) {
  pose.lean = 0;
  const float drop = std::min(pose.lift, 3.0f) * 0.5f;
  for (float side : {-1.0f, 1.0f}) {
    const Vec2 foot{64 + 17 * side, kGround - 5.5f - pose.lift + drop};
    FillPart(
        canvas, pose, [&](Vec2 q) { return EllipseDistance(q, foot, {9.5f, 6}); }, Scale(kBody, 0.97f),
        kBodyOutline, kOutline);
  }
}

void DrawArms(Canvas& canvas, const Pose& pose) {
  const Vec2 c = pose.Centre();
  for (float side : {-1.0f, 1.0f}) {
    const float angle = Radians(Mix(25.0f, -35.0f, pose.armRaise)) * side;
    const Vec2 shoulder = c + Vec2{(pose.radii.x - 6) * side, 8 - 10 * pose.armRaise};
    const Vec2 hand = shoulder + Rotate({9 * side, 0}, angle);
    FillPart(
        canvas, pose,
        [&](Vec2 q) { return EllipseDistance(RotateAround(q, hand, -angle), hand, {8, 5.5f}); },
        Scale(kBody, 0.97f), kBodyOutline, kOutline);
  }
}

void DrawSprout(Canvas& canvas, const Pose& pose) {
  const Vec2 c = pose.Centre();
  const Vec2 root{c.x + 2, c.y - pose.radii.y + 6};
  auto upright = [&](Vec2 local) { return RotateAround(root + local, root, pose.sproutTilt); };
  std::vector<Vec2> stem;
  for (int i = 0; i <= 12; ++i) {
    const float t = i / 12.0f;
    stem.push_back(pose.ToCanvas(upright({2.5f * std::sin(t * kPi), -15 * t})));
  }
  DrawStroke(canvas, stem, 4.5f, kLeafOutline);
  DrawStroke(canvas, stem, 2.0f, kLeaf);
  const Vec2 tip = upright({0, -15});
  for (float side : {-1.0f, 1.0f}) {
    const float angle = Radians(-28.0f) * side + pose.sproutTilt;
    const Vec2 leaf = tip + Rotate({8.5f * side, 0}, angle);
    FillPart(
        canvas, pose, [&](Vec2 q) { return EllipseDistance(RotateAround(q, leaf, -angle), leaf, {9, 4.6f}); },
        kLeaf, kLeafOutline, 2.0f);
  }
}

void DrawBody(Canvas& canvas, const Pose& pose) {
  FillOutlined(
      canvas, [&](Vec2 p) { return BodyDistance(pose, pose.ToUpright(p)); },
      [&](Vec2 p, float d) { return BodyShade(pose, pose.ToUpright(p), d); }, kBodyOutline, kOutline);
  const Vec2 gloss = pose.Centre() + pose.radii * Vec2{-0.45f, -0.5f};
  canvas.Fill(
      [&](Vec2 p) {
        const Vec2 q = RotateAround(pose.ToUpright(p), gloss, Radians(35));
        return EllipseDistance(q, gloss, {9, 5});
      },
      Hex(0xffffff, 0.7f), 4.0f);
}

void DrawMouth(Canvas& canvas, const Pose& pose, Vec2 centre) {
  switch (pose.mouth) {
    case Mouth::Smile: {
      // A small "w": two arcs meeting under the nose line.
      for (float side : {-1.0f, 1.0f}) {
        std::vector<Vec2> arc = ArcPoints(centre + Vec2{3.2f * side * pose.faceWidth, 0}, 3.2f, Radians(10),
                                          Radians(170));
        for (Vec2& point : arc) point = pose.ToCanvas(point);
        DrawStroke(canvas, arc, 2.0f, kInk);
      }
      break;
    }
    case Mouth::Open: {
      auto mouth = [&](Vec2 q) {
        return std::max(EllipseDistance(q, centre + Vec2{0, -1}, {6, 6.5f}), centre.y - 1 - q.y);
      };
      FillPart(canvas, pose, mouth, kMouth, kMouth, 0);
      FillPart(
          canvas, pose,
          [&](Vec2 q) { return std::max(EllipseDistance(q, centre + Vec2{0, 5}, {3.8f, 2.2f}), mouth(q) + 0.8f); },
          kTongue, kTongue, 0);
      break;
    }
    case Mouth::Small:
      FillPart(canvas, pose, [&](Vec2 q) { return EllipseDistance(q, centre, {3, 3.6f}); }, kMouth, kInk, 1.5f);
      break;
  }
}

void DrawFace(Canvas& canvas, const Pose& pose) {
  const Vec2 face = pose.Centre() + pose.faceShift + Vec2{0, 3};
  auto at = [&](Vec2 offset) { return pose.ToCanvas(face + Vec2{offset.x * pose.faceWidth, offset.y}); };
  auto inside = [&](Vec2 p) { return BodyDistance(pose, pose.ToUpright(p)) + 4.0f; };
  for (float side : {-1.0f, 1.0f}) {
    DrawBlush(canvas, at({27 * side, 10}), {7.5f * pose.faceWidth, 4.2f}, kCheek, inside);
    if (pose.eyesClosed) {
      DrawClosedEye(canvas, at({15 * side, 0}), 5.5f * pose.faceWidth, 2.4f, kInk);
    } else {
      DrawEye(canvas, at({15 * side, 0}), {4.6f * pose.faceWidth, 6.2f}, kInk, pose.lean);
    }
  }
  DrawMouth(canvas, pose, face + Vec2{0, 9});
}

}  // namespace

std::vector<Canvas> DrawMaruFrames(MaruLook look) {
  const int count = look == MaruLook::Ahead ? kMaruFrames : kMaruLookFrames;
  std::vector<Canvas> frames;
  for (int f = 0; f < count; ++f) {
    const Pose pose = PoseFor(look, f);
    Canvas canvas(kMaruSize, kMaruSize);
    DrawSprout(canvas, pose);
    DrawFeet(canvas, pose);
    DrawArms(canvas, pose);
    DrawBody(canvas, pose);
    DrawFace(canvas, pose);
    frames.push_back(std::move(canvas));
  }
  return frames;
}
