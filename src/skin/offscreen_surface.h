#pragma once
// The decoded frames of one PNG strip: each a 32-bit bottom-up bitmap of
// premultiplied blue, green, red, alpha, ready to be the source of a
// layered update without further conversion.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/frame_bitmap.h"
#include "skin/load_png_error.h"

// Strips larger than these are refused before anything is allocated.
constexpr int32_t kMaxSurfaceSide = 16384;
constexpr uint64_t kMaxSurfaceBytes = uint64_t(256) << 20;

struct SurfaceFrame {
  uint8_t* bits = nullptr;  // belongs to bitmap
  // rows[j] is the frame's j-th row from the top; in memory the bottom row comes first.
  std::unique_ptr<uint8_t*[]> rows;
  FrameBitmap bitmap;
};

class OffscreenSurface {
 public:
  OffscreenSurface() = default;
  virtual ~OffscreenSurface();
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  // Replaces the frames by frameCount blank ones. 0, with the surface empty,
  // when a size is not positive, too large, or anything cannot be allocated.
  int CreateFrames(int32_t width, int32_t frameHeight, int32_t frameCount);
  // Harmless on an empty surface.
  void Release();
  // Decodes the strip at path into frameCount frames stacked top to bottom.
  // 1 on success; 0 on any failure, with the surface empty and, when error is
  // given, the reason in it.
  int LoadPng(const std::wstring& path, int32_t frameCount, PngLoadError* error = nullptr);

  // An empty surface has no frames and reports a frame size of 0 x 0.
  bool IsEmpty() const { return frames == nullptr; }
  int32_t FrameWidth() const { return IsEmpty() ? 0 : info.width; }
  int32_t FrameHeight() const { return IsEmpty() ? 0 : info.height; }
  int32_t FrameCount() const { return IsEmpty() ? 0 : frameCount; }
  // Null when k is not a frame of this surface.
  const SurfaceFrame* Frame(int32_t k) const;

 private:
  struct FrameInfo {
    int32_t width = 0;
    int32_t height = 0;  // positive: rows bottom-up
  };

  FrameInfo info;
  std::unique_ptr<SurfaceFrame[]> frames;
  int32_t width = 0;
  int32_t frameCount = 1;
};
