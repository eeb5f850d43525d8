#include "motion/motion_drift.h"

#include <algorithm>

#include "motion/range_conversion.h"

// Hand-edited ranges and odd window rectangles can take sums and products
// past 32 bits; they are formed in 64 bits and saturated where stored.
namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
constexpr int32_t kSpeedMin = 50;
constexpr int32_t kSpeedMax = 100;
// A burst ends once the squared speed has fallen to this.
constexpr int32_t kRestingSpeedSquared = 25;
constexpr double kAimedShare = 0.75;

int32_t Centre(int32_t low, int32_t high) {
  return static_cast<int32_t>((static_cast<int64_t>(low) + high) / 2);
}

// Puts a position that left [low, high] back on the nearer edge and turns it
// round; when the window is wider than the range, high < low and low wins.
void ReflectAxis(int32_t& position, int32_t& direction, int64_t low, int64_t high) {
  if (position >= low && position <= high) return;
  direction = -direction;
  position = static_cast<int32_t>(std::max<int64_t>(low, std::min<int64_t>(position, high)));
}

bool IsEven(int value) { return value % 2 == 0; }
}  // namespace

DriftMotion::DriftMotion(SpriteWorkerState& sprite, const WorkerEnvironment& environment,
                         uint32_t seed)
    : DriftMotion(sprite, environment, Mt19937Engine(seed)) {}

DriftMotion::DriftMotion(SpriteWorkerState& sprite, const WorkerEnvironment& environment,
                         const Mt19937Engine& seeded)
    : sprite(sprite),
      environment(environment),
      speedSource(seeded, UniformInt(kSpeedMin, kSpeedMax)),
      decaySource(seeded, UniformInt(1, 1)),
      choiceSource(seeded, UniformReal(0.0, 1.0)) {
  ReadScreen();
  const SharedMoveRange& range = sprite.moveRange;
  body.x = Centre(range.left.load(kRelaxed), range.right.load(kRelaxed));
  body.y = Centre(range.top.load(kRelaxed), range.bottom.load(kRelaxed));
}

void DriftMotion::ReadScreen() {
  screen = environment.screenSize();
  if (!HasScreen()) return;
  unitsPerPixelX = kUnitSpan / screen.cx;
  unitsPerPixelY = kUnitSpan / screen.cy;
}

void DriftMotion::StartBurst(int32_t centreX, int32_t centreY) {
  body.speedX = speedSource.Draw();
  body.speedY = speedSource.Draw();
  body.directionX = 1;
  body.directionY = 1;
  if (choiceSource.Draw() < kAimedShare) {
    if (body.x > centreX) body.directionX = -1;
    if (body.y > centreY) body.directionY = -1;
  } else {
    if (IsEven(environment.coin())) body.directionX = -1;
    if (IsEven(environment.coin())) body.directionY = -1;
  }
  decayX = decaySource.Draw();
  decayY = decaySource.Draw();
}

void DriftMotion::Iterate() {
  if (!HasScreen()) {
    ReadScreen();
    if (!HasScreen()) return;
  }
  const SharedMoveRange& range = sprite.moveRange;

  const int64_t speedX = body.speedX;
  const int64_t speedY = body.speedY;
  if (speedX * speedX + speedY * speedY <= kRestingSpeedSquared) {
    StartBurst(Centre(range.left.load(kRelaxed), range.right.load(kRelaxed)),
               Centre(range.top.load(kRelaxed), range.bottom.load(kRelaxed)));
  }

  const Rect window = environment.windowRect(sprite.window);
  const int64_t width = unitsPerPixelX * window.right - unitsPerPixelX * window.left;
  const int64_t height = unitsPerPixelY * window.bottom - unitsPerPixelY * window.top;
  ReflectAxis(body.x, body.directionX, range.left.load(kRelaxed),
              range.right.load(kRelaxed) - width);
  ReflectAxis(body.y, body.directionY, range.top.load(kRelaxed),
              range.bottom.load(kRelaxed) - height);

  body.speedX = std::max(body.speedX - decayX, 0);
  body.speedY = std::max(body.speedY - decayY, 0);
  body.x = SaturateToInt32(static_cast<int64_t>(body.x) + body.directionX * body.speedX);
  body.y = SaturateToInt32(static_cast<int64_t>(body.y) + body.directionY * body.speedY);

  sprite.targetX.store(UnitsToPixels(body.x, screen.cx), kRelaxed);
  sprite.targetY.store(UnitsToPixels(body.y, screen.cy), kRelaxed);
}
