#include "motion/mt19937_engine.h"

namespace {
constexpr int kShift = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;
constexpr uint32_t kUpperBit = 0x80000000u;
constexpr uint32_t kLowerBits = 0x7FFFFFFFu;
}  // namespace

void Mt19937Engine::Seed(uint32_t seed) {
  words[0] = seed;
  for (int i = 1; i < kWords; ++i) {
    const uint32_t previous = words[i - 1];
    words[i] = 1812433253u * (previous ^ (previous >> 30)) + static_cast<uint32_t>(i);
  }
  index = kWords;  // the first output comes from a fresh regeneration
}

void Mt19937Engine::Regenerate() {
  for (int i = 0; i < kWords; ++i) {
    const uint32_t mixed = (words[i] & kUpperBit) | (words[(i + 1) % kWords] & kLowerBits);
    uint32_t next = words[(i + kShift) % kWords] ^ (mixed >> 1);
    if (mixed & 1u) next ^= kMatrix;
    words[i] = next;
  }
  index = 0;
}

uint32_t Mt19937Engine::Next() {
  if (index >= kWords) Regenerate();
  uint32_t y = words[index++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  y ^= y >> 18;
  return y;
}
