#pragma once
// Makes PNG files for the tests, the fuzzer's seeds and the benchmark with
// libpng's write API, so every input is generated rather than shipped.
#include <png.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace pngmaker {

// gAMA 1/2.2, against the screen gamma 2.2: libpng leaves samples as they are.
constexpr uint32_t kNeutralGamma = 45455;

struct Image {
  uint32_t width = 0;
  uint32_t height = 0;
  int colorType = PNG_COLOR_TYPE_RGBA;
  int bitDepth = 8;
  bool interlaced = false;
  std::optional<uint32_t> gamma = kNeutralGamma;  // gAMA x 100000; none: no chunk
  std::vector<png_color> palette;
  std::vector<uint8_t> paletteAlpha;             // tRNS of a palette image
  std::optional<png_color_16> transparentColor;  // tRNS of a gray or RGB image
  // Every sample as its channel's value (index, gray, R, G, B, A), row by row.
  std::vector<uint16_t> samples;
};

int Channels(int colorType);

// Empty when libpng refuses the description.
std::vector<uint8_t> Encode(const Image& image);

using RgbaAt = std::function<std::array<uint8_t, 4>(uint32_t x, uint32_t y)>;
Image Rgba(uint32_t width, uint32_t height, const RgbaAt& pixel);

// A signature, an RGBA IHDR chunk claiming the size and an empty IDAT chunk:
// enough for a decoder to read the size, nothing to decode.
std::vector<uint8_t> HeaderOnly(uint32_t width, uint32_t height);
// Byte offset of the first chunk of that type (its length field), or npos.
size_t FindChunk(const std::vector<uint8_t>& png, const char type[4]);
size_t ChunkDataLength(const std::vector<uint8_t>& png, size_t chunk);
// Recomputes the CRC of the chunk at that offset.
void FixCrc(std::vector<uint8_t>& png, size_t chunk);

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace pngmaker
