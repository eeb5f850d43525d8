#include "png_strip.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {

// Kept free of objects with destructors: libpng leaves through longjmp.
bool WritePng(std::FILE* file, png_uint_32 width, png_uint_32 height, png_bytepp rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // The program's loader corrects by screen gamma 2.2 times this file gamma,
  // so 1/2.2 keeps the colours exactly as drawn.
  png_set_gAMA(png, info, 0.45455);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WriteStrip(const std::filesystem::path& path, const std::vector<Canvas>& frames) {
  if (frames.empty()) return false;
  const int width = frames.front().Width();
  const int frameHeight = frames.front().Height();
  std::vector<png_byte> pixels;
  for (const Canvas& frame : frames) {
    if (frame.Width() != width || frame.Height() != frameHeight) return false;
    const std::vector<std::uint8_t> rgba = frame.ToRgba8();
    pixels.insert(pixels.end(), rgba.begin(), rgba.end());
  }
  const std::size_t height = static_cast<std::size_t>(frameHeight) * frames.size();
  std::vector<png_bytep> rows(height);
  for (std::size_t r = 0; r < height; ++r) rows[r] = pixels.data() + r * width * 4;

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = WritePng(file, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), rows.data());
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}
