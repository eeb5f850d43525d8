#pragma once

#include <algorithm>
#include <cmath>

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }
inline Vec2 operator*(Vec2 a, Vec2 b) { return {a.x * b.x, a.y * b.y}; }
inline Vec2 operator/(Vec2 a, Vec2 b) { return {a.x / b.x, a.y / b.y}; }

inline float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline float Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline float Length(Vec2 a) { return std::sqrt(Dot(a, a)); }
inline Vec2 Normalize(Vec2 a) {
  const float length = Length(a);
  return length > 0.0f ? a * (1.0f / length) : Vec2{};
}
inline Vec2 Perpendicular(Vec2 a) { return {-a.y, a.x}; }

// Positive angles turn clockwise on screen, where y grows downwards.
inline Vec2 Rotate(Vec2 a, float radians) {
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  return {a.x * c - a.y * s, a.x * s + a.y * c};
}
inline Vec2 RotateAround(Vec2 a, Vec2 pivot, float radians) { return Rotate(a - pivot, radians) + pivot; }

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float Mix(float a, float b, float t) { return a + (b - a) * t; }
inline Vec2 Mix(Vec2 a, Vec2 b, float t) { return a + (b - a) * t; }
inline float SmoothStep(float edge0, float edge1, float v) {
  const float t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

inline constexpr float kPi = 3.14159265358979f;
inline float Radians(float degrees) { return degrees * kPi / 180.0f; }
