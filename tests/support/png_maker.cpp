#include "support/png_maker.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <string>

namespace pngmaker {
namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void Flush(png_structp) {}
void Quiet(png_structp, png_const_charp) {}

std::vector<uint8_t> PackRows(const Image& image) {
  const int channels = Channels(image.colorType);
  const size_t perRow = size_t(image.width) * channels;
  const size_t rowBytes = (perRow * image.bitDepth + 7) / 8;
  std::vector<uint8_t> packed(rowBytes * image.height, 0);
  for (uint32_t y = 0; y < image.height; ++y) {
    uint8_t* row = packed.data() + y * rowBytes;
    for (size_t i = 0; i < perRow; ++i) {
      const uint16_t value = image.samples.at(y * perRow + i);
      if (image.bitDepth == 16) {
        row[2 * i] = uint8_t(value >> 8);
        row[2 * i + 1] = uint8_t(value);
      } else {
        const size_t bit = i * image.bitDepth;
        const int shift = 8 - image.bitDepth - int(bit % 8);
        row[bit / 8] |= uint8_t(value << shift);
      }
    }
  }
  return packed;
}

// libpng's errors jump back here; only plain pointers live in this frame.
bool Write(png_structp png, png_infop info, const Image& image, png_bytep* rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (image.gamma) png_set_gAMA_fixed(png, info, png_fixed_point(*image.gamma));
  if (!image.palette.empty()) {
    png_set_PLTE(png, info, image.palette.data(), int(image.palette.size()));
  }
  if (!image.paletteAlpha.empty()) {
    png_set_tRNS(png, info, image.paletteAlpha.data(), int(image.paletteAlpha.size()), nullptr);
  }
  if (image.transparentColor) {
    png_color_16 color = *image.transparentColor;
    png_set_tRNS(png, info, nullptr, 0, &color);
  }
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

void PutUint32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

uint32_t GetUint32(const std::vector<uint8_t>& in, size_t at) {
  return uint32_t(in.at(at)) << 24 | uint32_t(in.at(at + 1)) << 16 | uint32_t(in.at(at + 2)) << 8 |
         uint32_t(in.at(at + 3));
}

}  // namespace

int Channels(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGBA: return 4;
    default: return 1;
  }
}

std::vector<uint8_t> Encode(const Image& image) {
  std::vector<uint8_t> out;
  std::vector<uint8_t> packed = PackRows(image);
  const size_t rowBytes = image.height == 0 ? 0 : packed.size() / image.height;
  std::vector<png_bytep> rows(image.height);
  for (uint32_t y = 0; y < image.height; ++y) rows[y] = packed.data() + y * rowBytes;

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (info != nullptr) {
    png_set_write_fn(png, &out, Append, Flush);
    written = Write(png, info, image, rows.data());
  }
  png_destroy_write_struct(&png, &info);
  if (!written) out.clear();
  return out;
}

Image Rgba(uint32_t width, uint32_t height, const RgbaAt& pixel) {
  Image image;
  image.width = width;
  image.height = height;
  image.samples.reserve(size_t(width) * height * 4);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      for (uint8_t channel : pixel(x, y)) image.samples.push_back(channel);
    }
  }
  return image;
}

std::vector<uint8_t> HeaderOnly(uint32_t width, uint32_t height) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutUint32(out, 13);
  for (char c : std::string("IHDR")) out.push_back(uint8_t(c));
  PutUint32(out, width);
  PutUint32(out, height);
  out.insert(out.end(), {8, PNG_COLOR_TYPE_RGBA, 0, 0, 0});
  PutUint32(out, 0);
  FixCrc(out, 8);
  const size_t idat = out.size();
  out.insert(out.end(), {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0, 0, 0, 0});
  FixCrc(out, idat);
  return out;
}

size_t FindChunk(const std::vector<uint8_t>& png, const char type[4]) {
  size_t at = 8;
  while (at + 12 <= png.size()) {
    if (std::memcmp(png.data() + at + 4, type, 4) == 0) return at;
    at += 12 + GetUint32(png, at);
  }
  return std::string::npos;
}

size_t ChunkDataLength(const std::vector<uint8_t>& png, size_t chunk) {
  return GetUint32(png, chunk);
}

void FixCrc(std::vector<uint8_t>& png, size_t chunk) {
  const size_t length = GetUint32(png, chunk);
  const uint32_t crc = uint32_t(crc32(0, png.data() + chunk + 4, uInt(length + 4)));
  for (int i = 0; i < 4; ++i) png.at(chunk + 8 + length + i) = uint8_t(crc >> (24 - 8 * i));
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace pngmaker
