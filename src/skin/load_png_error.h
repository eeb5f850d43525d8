#pragma once
// Why a strip failed to load, for tools that explain it to skin authors; the
// program itself only needs LoadPng's 0.
#include <cstdint>
#include <string>

enum class PngLoadErrorKind {
  None,
  NotFound,           // no file at the path
  Unreadable,         // there, but not a regular file or cannot be opened
  NotPng,             // does not start with the PNG signature
  Corrupt,            // libpng refused it; message holds libpng's reason
  BadFrameCount,      // frame count below 1
  HeightNotMultiple,  // image height not a multiple of the frame count
  FrameTooLarge,      // a frame over kMaxFrameSide wide or high
  TooLarge,           // the strip over kMaxSurfaceBytes decoded
  OverBudget,         // over what is left of its sprite's kMaxSpriteBytes
  OutOfMemory,
};

struct PngLoadError {
  PngLoadErrorKind kind = PngLoadErrorKind::None;
  std::string message;  // libpng's or the system's words, when there are any
  // The size the header claims; 0 x 0 when the header was never read.
  uint32_t width = 0;
  uint32_t height = 0;
  // For OverBudget: what the strip would take and what its sprite had left.
  uint64_t bytes = 0;
  uint64_t budget = 0;
};
