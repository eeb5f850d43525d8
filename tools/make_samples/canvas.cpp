#include "canvas.h"

#include <cmath>

Colour Hex(std::uint32_t rgb, float alpha) {
  return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, alpha};
}

Colour Mix(Colour a, Colour b, float t) {
  return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t), Mix(a.a, b.a, t)};
}

Colour Scale(Colour c, float factor) {
  return {Clamp01(c.r * factor), Clamp01(c.g * factor), Clamp01(c.b * factor), c.a};
}

Colour WithAlpha(Colour c, float alpha) { return {c.r, c.g, c.b, alpha}; }

Canvas::Canvas(int width, int height)
    : width(width), height(height), pixels(static_cast<std::size_t>(width) * height, Colour{0, 0, 0, 0}) {}

void Canvas::Blend(int x, int y, Colour colour, float coverage) {
  Colour& dst = pixels[static_cast<std::size_t>(y) * width + x];
  const float a = Clamp01(colour.a * coverage);
  dst.r = colour.r * a + dst.r * (1.0f - a);
  dst.g = colour.g * a + dst.g * (1.0f - a);
  dst.b = colour.b * a + dst.b * (1.0f - a);
  dst.a = a + dst.a * (1.0f - a);
}

std::vector<std::uint8_t> Canvas::ToRgba8() const {
  std::vector<std::uint8_t> out(pixels.size() * 4, 0);
  auto toByte = [](float v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0f)); };
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const Colour& p = pixels[i];
    const std::uint8_t alpha = toByte(p.a);
    if (alpha == 0) continue;
    out[i * 4 + 0] = toByte(p.r / p.a);
    out[i * 4 + 1] = toByte(p.g / p.a);
    out[i * 4 + 2] = toByte(p.b / p.a);
    out[i * 4 + 3] = alpha;
  }
  return out;
}
