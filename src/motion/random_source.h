#pragma once
// One generator of the motion thread: its own copy of an engine plus one
// distribution. Drawing advances only that copy, so generators made from the
// same engine start alike and then go their own ways.
#include "motion/mt19937_engine.h"

template <typename Distribution>
class RandomSource {
 public:
  RandomSource(const Mt19937Engine& engine, const Distribution& distribution)
      : engine(engine), distribution(distribution) {}

  auto Draw() { return distribution.Draw(engine); }

 private:
  Mt19937Engine engine;
  Distribution distribution;
};
