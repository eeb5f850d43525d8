#pragma once

#include <cstdint>
#include <vector>

#include "geometry.h"

// A straight (not premultiplied) sRGB colour, each channel 0..1.
struct Colour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 1.0f;
};

Colour Hex(std::uint32_t rgb, float alpha = 1.0f);
Colour Mix(Colour a, Colour b, float t);
Colour Scale(Colour c, float factor);
Colour WithAlpha(Colour c, float alpha);

class Canvas {
 public:
  Canvas(int width, int height);

  int Width() const { return width; }
  int Height() const { return height; }

  // Paints shader's colour where distance(p) < 0. The coverage of a pixel ramps
  // over `feather` pixels across the outline, which is what gives the soft,
  // partially transparent edge.
  template <class Distance, class Shader>
  void Fill(const Distance& distance, const Shader& shader, float feather = 1.0f) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Vec2 p{x + 0.5f, y + 0.5f};
        const float d = distance(p);
        const float coverage = Clamp01(0.5f - d / feather);
        if (coverage > 0.0f) Blend(x, y, shader(p, d), coverage);
      }
    }
  }

  template <class Distance>
  void Fill(const Distance& distance, Colour colour, float feather = 1.0f) {
    Fill(distance, [colour](Vec2, float) { return colour; }, feather);
  }

  // Straight 8-bit RGBA, rows top-down; fully transparent pixels are all zero.
  std::vector<std::uint8_t> ToRgba8() const;

 private:
  void Blend(int x, int y, Colour colour, float coverage);

  int width;
  int height;
  std::vector<Colour> pixels;  // premultiplied
};

// The shape filled by `fill`, with an outline of `width` pixels just inside its edge.
template <class Distance, class Shader>
void FillOutlined(Canvas& canvas, const Distance& distance, const Shader& fill, Colour outline, float width) {
  canvas.Fill(distance, [&](Vec2 p, float d) { return Mix(fill(p, d), outline, Clamp01(d + width + 0.5f)); });
}
