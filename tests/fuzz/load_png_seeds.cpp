// Writes small strips of every colour type, depth and interlace into the
// folder given, as a starting corpus for the LoadPng fuzzer.
#include <cstdio>
#include <string>

#include "support/png_maker.h"

namespace {

pngmaker::Image Strip(int colorType, int bitDepth, bool interlaced) {
  pngmaker::Image image;
  image.colorType = colorType;
  image.bitDepth = bitDepth;
  image.interlaced = interlaced;
  image.width = 9;
  image.height = 8;
  const uint32_t levels = colorType == PNG_COLOR_TYPE_PALETTE ? 4 : 1u << bitDepth;
  const size_t count = size_t(image.width) * image.height * pngmaker::Channels(colorType);
  for (size_t i = 0; i < count; ++i) image.samples.push_back(uint16_t((i * 2654435761u >> 5) % levels));
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    image.palette = {{200, 100, 50}, {255, 255, 255}, {0, 0, 255}, {10, 20, 30}};
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  struct Kind {
    const char* name;
    int colorType;
    int bitDepth;
  };
  const Kind kinds[] = {
      {"gray1", PNG_COLOR_TYPE_GRAY, 1},         {"gray2", PNG_COLOR_TYPE_GRAY, 2},
      {"gray4", PNG_COLOR_TYPE_GRAY, 4},         {"gray8", PNG_COLOR_TYPE_GRAY, 8},
      {"gray16", PNG_COLOR_TYPE_GRAY, 16},       {"gray_alpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
      {"gray_alpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {"rgb8", PNG_COLOR_TYPE_RGB, 8},
      {"rgb16", PNG_COLOR_TYPE_RGB, 16},         {"rgba8", PNG_COLOR_TYPE_RGBA, 8},
      {"rgba16", PNG_COLOR_TYPE_RGBA, 16},       {"palette2", PNG_COLOR_TYPE_PALETTE, 2},
      {"palette8", PNG_COLOR_TYPE_PALETTE, 8},
  };
  int written = 0;
  for (const Kind& kind : kinds) {
    for (int variant = 0; variant < 4; ++variant) {
      pngmaker::Image image = Strip(kind.colorType, kind.bitDepth, variant & 1);
      if (variant & 2) {
        image.gamma.reset();
        if (kind.colorType == PNG_COLOR_TYPE_PALETTE) image.paletteAlpha = {128, 0};
        if (kind.colorType == PNG_COLOR_TYPE_RGB) image.transparentColor = png_color_16{0, 1, 2, 3, 0};
        if (kind.colorType == PNG_COLOR_TYPE_GRAY) image.transparentColor = png_color_16{0, 0, 0, 0, 1};
      }
      const std::string name = std::string(kind.name) + (variant & 1 ? "_interlaced" : "") +
                               (variant & 2 ? "_trns_no_gamma" : "") + ".png";
      written += pngmaker::WriteFile(folder / name, pngmaker::Encode(image)) ? 1 : 0;
    }
  }
  std::printf("%d seeds in %s\n", written, folder.string().c_str());
  return written > 0 ? 0 : 1;
}
