#pragma once
// The drift of the motion thread: decelerating bursts, each aimed at the
// centre of the move range three times out of four and given random signs
// otherwise, reflected at the range's edges. Positions are normalised screen
// units; the published target is in pixels.
#include <cstdint>

#include "motion/motion_environment.h"
#include "motion/motion_worker_state.h"
#include "motion/random_source.h"
#include "motion/uniform_int.h"
#include "motion/uniform_real.h"

class DriftMotion {
 public:
  // Position in normalised units, direction +1 or -1 and speed per axis.
  struct Body {
    int32_t x = 0;
    int32_t y = 0;
    int32_t directionX = 1;
    int32_t directionY = 1;
    int32_t speedX = 0;
    int32_t speedY = 0;
  };

  // Reads the screen size and starts at the centre of the current move range.
  DriftMotion(SpriteWorkerState& sprite, const WorkerEnvironment& environment, uint32_t seed);

  // One iteration's motion, ending with the publication of the target; the
  // frame step and the stop check are the caller's.
  void Iterate();

  const Body& State() const { return body; }
  void SetState(const Body& state) { body = state; }
  // False while the screen has no usable size; nothing moves or is published then.
  bool HasScreen() const { return screen.cx > 0 && screen.cy > 0; }

 private:
  // The three generators each take a copy of one freshly seeded engine.
  DriftMotion(SpriteWorkerState& sprite, const WorkerEnvironment& environment,
              const Mt19937Engine& seeded);
  void ReadScreen();
  void StartBurst(int32_t centreX, int32_t centreY);

  SpriteWorkerState& sprite;
  WorkerEnvironment environment;
  Size screen;
  int64_t unitsPerPixelX = 0;
  int64_t unitsPerPixelY = 0;
  Body body;
  int32_t decayX = 0;
  int32_t decayY = 0;
  RandomSource<UniformInt> speedSource;
  RandomSource<UniformInt> decaySource;
  RandomSource<UniformReal> choiceSource;
};
