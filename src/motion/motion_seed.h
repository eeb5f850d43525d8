#pragma once
// Where a motion thread's randomness starts. Seeded from the clock alone,
// sprites set drifting in the same second drew the same numbers and moved
// as one; each start now mixes in its slot and a count of the starts so far.
#include <cstdint>

// The seed of one motion thread started at `seconds` (calendar time) for
// `slot`; within one second it differs from every other start in this process.
uint32_t MotionSeed(uint32_t seconds, int32_t slot);
// The same with the current calendar time.
uint32_t MotionSeed(int32_t slot);

// The coin of a random sign: the recurrence of the Windows runtime's rand,
// with a state of the worker's own, since rand's state is shared by threads.
class SignCoin {
 public:
  explicit SignCoin(uint32_t seed) : state(seed) {}
  // 0..32767, as rand gives; only its parity is used.
  int Toss() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
  }

 private:
  uint32_t state;
};
