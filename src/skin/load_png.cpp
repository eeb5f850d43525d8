#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "skin/load_png_file.h"
#include "skin/offscreen_surface.h"

namespace {

constexpr double kScreenGamma = 2.2;
// Strips without a gAMA chunk were drawn for this, not for the sRGB 0.45455.
constexpr double kDefaultFileGamma = 0.5;

constexpr size_t kSignatureBytes = 8;

// What one load holds. Trivially destructible and owned by the caller of the
// function that sets libpng's jump point, so it is intact after a jump back.
struct PngLoad {
  std::FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  uint8_t* pixels = nullptr;
  png_bytep* rows = nullptr;
  // Why the load failed; libpng's own words go to message.
  PngLoadErrorKind failure = PngLoadErrorKind::None;
  char message[128] = {};
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* load = static_cast<PngLoad*>(png_get_error_ptr(png));
  load->failure = PngLoadErrorKind::Corrupt;
  std::snprintf(load->message, sizeof load->message, "%s", message != nullptr ? message : "");
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

bool Fail(PngLoad& load, PngLoadErrorKind kind) {
  load.failure = kind;
  return false;
}

void Close(PngLoad& load) {
  std::free(load.rows);
  std::free(load.pixels);
  if (load.png != nullptr) png_destroy_read_struct(&load.png, &load.info, nullptr);
  if (load.file != nullptr) std::fclose(load.file);
  load = PngLoad{};
}

void SetTransformations(png_structp png, png_infop info, int colorType, int bitDepth) {
  double fileGamma = 0;
  if (!png_get_gAMA(png, info, &fileGamma)) fileGamma = kDefaultFileGamma;
  png_set_gamma(png, kScreenGamma, fileGamma);

  const bool gray = colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (bitDepth > 8) png_set_strip_16(png);
  if (gray) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  // NOTE: png_read_image copes without this, but only after a warning and a
  // late fix-up of the row count; asking first is the documented way.
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Reads the header, makes the frames and decodes the whole image into
// load.pixels. libpng's errors jump back here; nothing in this frame has a
// destructor for the jump to skip.
bool ReadStrip(PngLoad& load, OffscreenSurface& surface, int32_t frameCount) {
  png_byte signature[kSignatureBytes];
  if (std::fread(signature, 1, kSignatureBytes, load.file) != kSignatureBytes ||
      png_sig_cmp(signature, 0, kSignatureBytes) != 0) {
    return Fail(load, PngLoadErrorKind::NotPng);
  }
  load.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &load, OnPngError, OnPngWarning);
  if (load.png == nullptr) return Fail(load, PngLoadErrorKind::OutOfMemory);
  load.info = png_create_info_struct(load.png);
  if (load.info == nullptr) return Fail(load, PngLoadErrorKind::OutOfMemory);
  if (setjmp(png_jmpbuf(load.png))) return false;

  // NOTE: our own size limit below refuses large strips before anything is
  // allocated; libpng's default limit would call some of them merely invalid.
  png_set_user_limits(load.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_init_io(load.png, load.file);
  png_set_sig_bytes(load.png, int(kSignatureBytes));
  png_read_info(load.png, load.info);
  int bitDepth = 0;
  int colorType = 0;
  png_get_IHDR(load.png, load.info, &load.width, &load.height, &bitDepth, &colorType, nullptr,
               nullptr, nullptr);
  if (frameCount < 1) return Fail(load, PngLoadErrorKind::BadFrameCount);
  if (load.height % png_uint_32(frameCount) != 0) return Fail(load, PngLoadErrorKind::HeightNotMultiple);
  if (load.width > png_uint_32(kMaxSurfaceSide) || load.height > png_uint_32(kMaxSurfaceSide)) {
    return Fail(load, PngLoadErrorKind::TooLarge);
  }
  const uint64_t stride = uint64_t(load.width) * 4;
  if (stride * load.height > kMaxSurfaceBytes) return Fail(load, PngLoadErrorKind::TooLarge);
  const int32_t frameHeight = int32_t(load.height / png_uint_32(frameCount));
  // The sizes are checked above, so only an allocation can fail here.
  if (!surface.CreateFrames(int32_t(load.width), frameHeight, frameCount)) {
    return Fail(load, PngLoadErrorKind::OutOfMemory);
  }

  SetTransformations(load.png, load.info, colorType, bitDepth);
  if (png_get_rowbytes(load.png, load.info) != stride || png_get_bit_depth(load.png, load.info) != 8) {
    std::snprintf(load.message, sizeof load.message, "unexpected pixel layout after conversion");
    return Fail(load, PngLoadErrorKind::Corrupt);
  }
  load.pixels = static_cast<uint8_t*>(std::malloc(size_t(stride * load.height)));
  load.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * load.height));
  if (load.pixels == nullptr || load.rows == nullptr) return Fail(load, PngLoadErrorKind::OutOfMemory);
  for (png_uint_32 r = 0; r < load.height; ++r) load.rows[r] = load.pixels + r * size_t(stride);
  png_read_image(load.png, load.rows);
  return true;
}

static_assert(std::endian::native == std::endian::little, "pixels are read as B, G, R, A words");

// Whole pixels at a time: blue and red share one multiply, green takes
// another; each product stays below 2^16 in its lane, so (c * a) >> 8 is exact.
// The decode buffer and a frame never overlap; saying so lets the compiler
// vectorise without a run-time overlap check.
void PremultiplyRow(const uint8_t* __restrict source, uint8_t* __restrict target, int32_t width) {
  for (int32_t x = 0; x < width; ++x) {
    uint32_t pixel;
    std::memcpy(&pixel, source + size_t(x) * 4, 4);
    const uint32_t alpha = pixel >> 24;
    const uint32_t blueRed = (((pixel & 0x00FF00FFu) * alpha) >> 8) & 0x00FF00FFu;
    const uint32_t green = (((pixel & 0x0000FF00u) * alpha) >> 8) & 0x0000FF00u;
    const uint32_t result = blueRed | green | (pixel & 0xFF000000u);
    std::memcpy(target + size_t(x) * 4, &result, 4);
  }
}

}  // namespace

int OffscreenSurface::LoadPng(const std::wstring& path, int32_t newFrameCount, PngLoadError* error) {
  Release();
  if (error != nullptr) *error = PngLoadError{};
  PngLoad load;
  load.file = OpenStripFile(path, error);
  if (load.file == nullptr) return 0;
  const bool decoded = ReadStrip(load, *this, newFrameCount);
  if (decoded) {
    for (int32_t i = 0; i < frameCount; ++i) {
      for (int32_t j = 0; j < info.height; ++j) {
        PremultiplyRow(load.rows[size_t(i) * size_t(info.height) + size_t(j)], frames[i].rows[j],
                       width);
      }
    }
  } else {
    Release();
    if (error != nullptr) *error = PngLoadError{load.failure, load.message, load.width, load.height};
  }
  Close(load);
  return decoded ? 1 : 0;
}
