#pragma once
// The decoded frames of one PNG strip, kept as the strip itself: one 32-bit
// bitmap of premultiplied blue, green, red, alpha with the frames stacked top
// to bottom, ready to be the source of a layered update without further
// conversion. A frame is a part of it, drawn from its own rows, so a strip
// costs the same few window-system objects whatever its frame count.
#include <cstdint>
#include <string>

#include "platform/frame_bitmap.h"
#include "platform/geometry.h"
#include "skin/load_png_error.h"

// Limits on what a strip may allocate, checked before anything is allocated:
// a frame's side, the decoded strip, and all decoded strips of one sprite.
constexpr int32_t kMaxFrameSide = 16384;
constexpr uint64_t kMaxSurfaceBytes = uint64_t(256) << 20;
constexpr uint64_t kMaxSpriteBytes = uint64_t(512) << 20;

class OffscreenSurface {
 public:
  OffscreenSurface() = default;
  virtual ~OffscreenSurface() = default;
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  // Replaces the frames by frameCount blank ones. 0, with the surface empty,
  // when a size is not positive, too large, or anything cannot be allocated.
  int CreateFrames(int32_t width, int32_t frameHeight, int32_t frameCount);
  // Harmless on an empty surface.
  void Release();
  // Decodes the strip at path into frameCount frames stacked top to bottom,
  // refusing it before allocating when it would decode to more than budget
  // bytes (what is left of its sprite's kMaxSpriteBytes). 1 on success; 0 on
  // any failure, with the surface empty and, when error is given, the reason in it.
  int LoadPng(const std::wstring& path, int32_t frameCount, PngLoadError* error = nullptr,
              uint64_t budget = kMaxSpriteBytes);

  // An empty surface has no frames and reports a frame size of 0 x 0.
  bool IsEmpty() const { return strip.IsEmpty(); }
  int32_t FrameWidth() const { return IsEmpty() ? 0 : strip.Width(); }
  int32_t FrameHeight() const { return IsEmpty() ? 0 : frameHeight; }
  int32_t FrameCount() const { return IsEmpty() ? 0 : frameCount; }
  uint64_t DecodedBytes() const { return IsEmpty() ? 0 : uint64_t(strip.Width()) * uint64_t(strip.Height()) * 4; }
  bool HasFrame(int32_t k) const { return !IsEmpty() && k >= 0 && k < frameCount; }
  // Every frame's pixels; frame k is the FrameSize part at FrameOrigin(k).
  const FrameBitmap& Strip() const { return strip; }
  Point FrameOrigin(int32_t k) const { return Point{0, k * frameHeight}; }
  // Row j, from the top, of frame k; null when there is no such row.
  uint8_t* FrameRow(int32_t k, int32_t j) const;

 private:
  FrameBitmap strip;
  int32_t frameHeight = 0;
  int32_t frameCount = 1;
};
