#include "motion/uniform_int.h"

namespace {
constexpr uint32_t kMaxOutput = 0xFFFFFFFFu;

// The divisor that maps one output onto 0..n-1 (after a modulus by n).
uint32_t ReductionFactor(uint32_t n) {
  uint32_t base = 0x80000000u;
  uint32_t factor = 2;
  if (base % n == 0) return base / n;
  while ((base / n) / 32 >= n) {
    base /= 2;
    factor *= 2;
  }
  return factor;
}
}  // namespace

int32_t UniformInt::Draw(Mt19937Engine& engine) const {
  const uint32_t low = static_cast<uint32_t>(min);
  if (range == 0) return min;
  if (range == kMaxOutput) return static_cast<int32_t>(engine.Next() + low);
  if (kMaxOutput / range > 4) {
    const uint32_t n = range + 1;
    return static_cast<int32_t>((engine.Next() / ReductionFactor(n)) % n + low);
  }
  uint32_t value = engine.Next();
  while (value > range) value = engine.Next();
  return static_cast<int32_t>(value + low);
}
