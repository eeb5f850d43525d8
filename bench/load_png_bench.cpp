// LoadPng of a typical skin strip against plain libpng decoding of the same
// file with the same transformations into one buffer. The ratio counter of
// LoadPngOverLibpng is the figure to watch: target at most 1.15.
#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "skin/offscreen_surface.h"
#include "support/png_maker.h"
#include "support/test_folder.h"

namespace {

constexpr uint32_t kWidth = 128;
constexpr uint32_t kFrameHeight = 128;
constexpr int32_t kFrames = 8;

// A round mascot bobbing through eight frames: shaded body with a soft edge,
// two eyes, transparent surroundings.
pngmaker::Image Mascot(bool withGamma) {
  pngmaker::Image image = pngmaker::Rgba(kWidth, kFrameHeight * kFrames, [](uint32_t x, uint32_t y) {
    const uint32_t frame = y / kFrameHeight;
    const double cx = 64, cy = 70 + 6 * std::sin(frame * 0.785), radius = 46;
    const double dx = x - cx, dy = double(y % kFrameHeight) - cy;
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double edge = std::fmin(std::fmax(radius + 0.5 - distance, 0.0), 1.0);
    if (edge <= 0) return std::array<uint8_t, 4>{0, 0, 0, 0};
    const bool eye = (std::fabs(std::fabs(dx) - 16) < 5 && std::fabs(dy + 12) < 8);
    const double light = 0.6 + 0.4 * (1 - distance / radius) - dy / (4 * radius);
    const auto shade = [&](double c) { return uint8_t(std::fmin(255.0, eye ? 30 : c * light)); };
    return std::array<uint8_t, 4>{shade(250), shade(170), shade(190), uint8_t(255 * edge)};
  });
  if (!withGamma) image.gamma.reset();
  return image;
}

const std::filesystem::path& StripPath(bool withGamma) {
  static TestFolder dir;
  static const std::filesystem::path paths[2] = {dir.Path() / "plain.png", dir.Path() / "gamma.png"};
  static bool written[2] = {};
  if (!written[withGamma]) {
    written[withGamma] = pngmaker::WriteFile(paths[withGamma], pngmaker::Encode(Mascot(withGamma)));
  }
  return paths[withGamma];
}

bool DecodePlainBody(png_structp png, png_infop info, std::FILE* file, uint8_t** pixels,
                     png_bytep** rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colorType = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
  double fileGamma = 0;
  if (!png_get_gAMA(png, info, &fileGamma)) fileGamma = 0.5;
  png_set_gamma(png, 2.2, fileGamma);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (bitDepth > 8) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t stride = png_get_rowbytes(png, info);
  *pixels = static_cast<uint8_t*>(std::malloc(stride * height));
  *rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (*pixels == nullptr || *rows == nullptr) return false;
  for (png_uint_32 r = 0; r < height; ++r) (*rows)[r] = *pixels + r * stride;
  png_read_image(png, *rows);
  return true;
}

// The baseline: what libpng alone costs for the same file and transformations.
bool DecodePlain(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  uint8_t* pixels = nullptr;
  png_bytep* rows = nullptr;
  const bool decoded = DecodePlainBody(png, info, file, &pixels, &rows);
  benchmark::DoNotOptimize(pixels);
  std::free(rows);
  std::free(pixels);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return decoded;
}

void LoadPng(benchmark::State& state) {
  const std::wstring path = StripPath(state.range(0)).wstring();
  OffscreenSurface surface;
  for (auto _ : state) {
    if (!surface.LoadPng(path, kFrames)) state.SkipWithError("LoadPng failed");
  }
}

void PlainLibpng(benchmark::State& state) {
  const std::filesystem::path& path = StripPath(state.range(0));
  for (auto _ : state) {
    if (!DecodePlain(path)) state.SkipWithError("libpng failed");
  }
}

// Both in alternation, so that load from elsewhere on the machine falls on
// each alike; the counters give each one's time and their ratio.
void LoadPngOverLibpng(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const std::filesystem::path& path = StripPath(state.range(0));
  const std::wstring widePath = path.wstring();
  OffscreenSurface surface;
  Clock::duration load{}, plain{};
  bool loadFirst = true;
  for (auto _ : state) {
    for (int turn = 0; turn < 2; ++turn) {
      const auto start = Clock::now();
      const bool ok = (turn == 0) == loadFirst ? surface.LoadPng(widePath, kFrames) == 1 : DecodePlain(path);
      ((turn == 0) == loadFirst ? load : plain) += Clock::now() - start;
      if (!ok) state.SkipWithError("decoding failed");
    }
    loadFirst = !loadFirst;
  }
  const double iterations = double(state.iterations());
  state.counters["LoadPng_us"] = std::chrono::duration<double, std::micro>(load).count() / iterations;
  state.counters["libpng_us"] = std::chrono::duration<double, std::micro>(plain).count() / iterations;
  state.counters["ratio"] = double(load.count()) / double(plain.count());
}

// A long animation of tiny frames: what a strip costs per frame it holds.
void LoadPngManyFrames(benchmark::State& state) {
  static TestFolder dir;
  const auto path = dir.Path() / "many.png";
  const auto frames = uint32_t(state.range(0));
  const auto image = pngmaker::Rgba(4, frames * 4, [](uint32_t x, uint32_t y) {
    return std::array<uint8_t, 4>{uint8_t(x * 60), uint8_t(y), 90, uint8_t(y * 7)};
  });
  if (!pngmaker::WriteFile(path, pngmaker::Encode(image))) state.SkipWithError("cannot write the strip");
  OffscreenSurface surface;
  for (auto _ : state) {
    if (!surface.LoadPng(path.wstring(), int32_t(frames))) state.SkipWithError("LoadPng failed");
  }
}

BENCHMARK(LoadPng)->ArgName("gAMA")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainLibpng)->ArgName("gAMA")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadPngOverLibpng)->ArgName("gAMA")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(LoadPngManyFrames)->ArgName("frames")->Arg(16)->Arg(4096)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
