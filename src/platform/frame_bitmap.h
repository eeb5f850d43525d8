#pragma once
// One 32-bit premultiplied blue-green-red-alpha bitmap, ready to be the
// source of a layered update: the backend keeps it in the form its window
// system draws from (on the desktop a DIB section selected into its own
// memory DC for its whole life), so a redraw needs no selection or
// conversion. Rows lie in the backend's own memory order; Row hides it.
#include <cstdint>

class FrameBitmap {
 public:
  FrameBitmap() = default;
  ~FrameBitmap() { Destroy(); }
  FrameBitmap(const FrameBitmap&) = delete;
  FrameBitmap& operator=(const FrameBitmap&) = delete;

  // False when any part cannot be made; nothing is left allocated then.
  bool Create(int32_t width, int32_t height);
  // Harmless on a bitmap that holds nothing.
  void Destroy();

  uint8_t* Bits() const { return bits; }
  // Row y counted from the top, width x 4 bytes; y must be below Height().
  uint8_t* Row(int32_t y) const;
  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  bool IsEmpty() const { return bits == nullptr; }

  // What the backend keeps of the bitmap; each backend defines it.
  struct Native;
  const Native* GetNative() const { return native; }

 private:
  uint8_t* bits = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  Native* native = nullptr;
};
