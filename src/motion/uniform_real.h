#pragma once
// Uniform doubles in [min, max) from one engine output each.
#include "motion/mt19937_engine.h"

class UniformReal {
 public:
  UniformReal(double min, double max) : min(min), max(max) {}

  double Draw(Mt19937Engine& engine) const;

 private:
  double min;
  double max;
};
