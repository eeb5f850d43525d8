#pragma once
// Uniform integers in min..max from engine outputs, by fixed reduction rules:
// the values drawn from a given engine sequence are part of the motion's
// behaviour, so no library distribution (whose algorithm may differ) is used.
#include <cstdint>

#include "motion/mt19937_engine.h"

class UniformInt {
 public:
  UniformInt(int32_t min, int32_t max)
      : min(min), range(static_cast<uint32_t>(max) - static_cast<uint32_t>(min)) {}

  int32_t Draw(Mt19937Engine& engine) const;

 private:
  int32_t min;
  uint32_t range;
};
