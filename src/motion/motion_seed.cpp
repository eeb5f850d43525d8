#include "motion/motion_seed.h"

#include <atomic>
#include <ctime>

namespace {
std::atomic<uint32_t> startsSoFar{0};

// MurmurHash3's finaliser: a bijection of 32 bits in which inputs that differ
// in one bit give outputs that differ in about half of theirs.
uint32_t Mix(uint32_t value) {
  value ^= value >> 16;
  value *= 0x85EBCA6Bu;
  value ^= value >> 13;
  value *= 0xC2B2AE35u;
  return value ^ (value >> 16);
}
}  // namespace

uint32_t MotionSeed(uint32_t seconds, int32_t slot) {
  const uint32_t start = startsSoFar.fetch_add(1, std::memory_order_relaxed);
  // Both steps are bijections, so within one second every start (the first
  // 2^24 of them) and slot gets a seed of its own.
  return Mix(Mix(seconds) ^ ((start << 8) | (static_cast<uint32_t>(slot) & 0xFFu)));
}

uint32_t MotionSeed(int32_t slot) {
  return MotionSeed(static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr))), slot);
}
