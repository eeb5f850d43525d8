#pragma once
#include <cstdint>

// Left, top, right, bottom in normalised screen units (65535 spans the
// primary screen). Stored as read: left may exceed right.
struct MoveRange {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const MoveRange&, const MoveRange&) = default;
};
