#pragma once
// What a worker takes from outside: the platform's screen size, window
// rectangle, its sleep and the user-interface thread's wake-up, and the coin
// of a random sign (rand's recurrence).
// The thread procedures use the real services; tests pass their own.
#include <cstdint>
#include <functional>

#include "platform/geometry.h"
#include "platform/system.h"

struct WorkerEnvironment {
  std::function<Size()> screenSize;
  std::function<Rect(WindowHandle)> windowRect;
  // Only the parity of the result is used: even picks the negative direction.
  std::function<int()> coin;
  // Returns the milliseconds slept: fewer than asked only when a stop request
  // ended the sleep.
  std::function<uint32_t(uint32_t milliseconds)> sleep;
  // Tells the user-interface thread that a new frame waits to be shown.
  std::function<void()> frameReady;
};
