#include "motion/uniform_real.h"

namespace {
constexpr double kOutputScale = 1.0 / 4294967296.0;  // 2^-32
}

double UniformReal::Draw(Mt19937Engine& engine) const {
  double unit = static_cast<double>(engine.Next()) * kOutputScale;
  while (unit >= 1.0) unit = static_cast<double>(engine.Next()) * kOutputScale;
  return unit * (max - min) + min;
}
