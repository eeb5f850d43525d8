#pragma once

#include <vector>

#include "canvas.h"

// The kite: a smiling diamond kite with a fluttering, bow-tied tail.
inline constexpr int kKiteSize = 96;
inline constexpr int kKiteFrames = 6;
std::vector<Canvas> DrawKiteFrames();

// Maru: a round, bouncing mochi with a sprout, who can also look about.
enum class MaruLook { Ahead, Up, Down, Left, Right };
inline constexpr int kMaruSize = 128;
inline constexpr int kMaruFrames = 4;
inline constexpr int kMaruLookFrames = 2;
std::vector<Canvas> DrawMaruFrames(MaruLook look);
