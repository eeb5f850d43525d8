#pragma once
// The wait between a worker's iterations, which a stop request cuts short so
// that a sprite asleep until its next frame still stops at once.
#include <cstdint>

#include "motion/motion_worker_state.h"

// A wait with no end but a stop request.
inline constexpr uint32_t kWaitForever = UINT32_MAX;

// Raises the sprite's stop request and ends its worker's wait.
void RequestStop(SpriteWorkerState& sprite);
// Sleeps for milliseconds or until a stop request; returns the milliseconds
// slept, which are fewer than asked only when a stop request ended the wait.
uint32_t SleepUnlessStopped(SpriteWorkerState& sprite, uint32_t milliseconds);
