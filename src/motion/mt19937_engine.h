#pragma once
// The Mersenne Twister MT19937 as a plain value: copying an engine copies its
// whole state, and the copy then yields exactly what the original would have.
#include <array>
#include <cstdint>

class Mt19937Engine {
 public:
  static constexpr uint32_t kDefaultSeed = 5489;

  Mt19937Engine() { Seed(kDefaultSeed); }
  explicit Mt19937Engine(uint32_t seed) { Seed(seed); }

  void Seed(uint32_t seed);
  uint32_t Next();

 private:
  static constexpr int kWords = 624;
  void Regenerate();

  std::array<uint32_t, kWords> words{};
  int index = kWords;
};
