#pragma once
// What a worker takes from outside: the platform's screen size, window
// rectangle and sleep, and the coin of a random sign (rand's recurrence).
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
  std::function<void(uint32_t milliseconds)> sleep;
};
