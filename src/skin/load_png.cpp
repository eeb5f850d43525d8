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
  uint64_t bytes = 0;  // the decoded size, once the header is read
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
  if (load.png != nullptr) png_destroy_read_struct(&load.png, &load.info, nullptr);
  if (load.file != nullptr) std::fclose(load.file);
  load = PngLoad{};
}

// Returns the number of passes the image is read in.
int SetTransformations(png_structp png, png_infop info, int colorType) {
  double fileGamma = 0;
  if (!png_get_gAMA(png, info, &fileGamma)) fileGamma = kDefaultFileGamma;
  png_set_gamma(png, kScreenGamma, fileGamma);

  const bool gray = colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
  // Palette to RGB, grey below 8 bits to 8, tRNS to alpha; each only where the image has it.
  png_set_expand(png);
  png_set_strip_16(png);  // a no-op below 16 bits
  if (gray) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  // libpng then widens each pass's pixels into the rows itself.
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return passes;
}

static_assert(std::endian::native == std::endian::little, "pixels are read as B, G, R, A words");

// Whole pixels at a time: blue and red share one multiply, green takes
// another; each product stays below 2^16 in its lane, so (c * a) >> 8 is exact.
void PremultiplyRow(uint8_t* row, int32_t width) {
  for (int32_t x = 0; x < width; ++x) {
    uint32_t pixel;
    std::memcpy(&pixel, row + size_t(x) * 4, sizeof pixel);
    const uint32_t alpha = pixel >> 24;
    const uint32_t blueRed = (((pixel & 0x00FF00FFu) * alpha) >> 8) & 0x00FF00FFu;
    const uint32_t green = (((pixel & 0x0000FF00u) * alpha) >> 8) & 0x0000FF00u;
    const uint32_t result = blueRed | green | (pixel & 0xFF000000u);
    std::memcpy(row + size_t(x) * 4, &result, sizeof result);
  }
}

// The limits, before anything is allocated for the strip.
bool WithinLimits(PngLoad& load, int32_t frameCount, uint64_t budget) {
  if (frameCount < 1) return Fail(load, PngLoadErrorKind::BadFrameCount);
  if (load.height % png_uint_32(frameCount) != 0) return Fail(load, PngLoadErrorKind::HeightNotMultiple);
  const png_uint_32 frameHeight = load.height / png_uint_32(frameCount);
  if (load.width > png_uint_32(kMaxFrameSide) || frameHeight > png_uint_32(kMaxFrameSide)) {
    return Fail(load, PngLoadErrorKind::FrameTooLarge);
  }
  load.bytes = uint64_t(load.width) * load.height * 4;
  if (load.bytes > kMaxSurfaceBytes) return Fail(load, PngLoadErrorKind::TooLarge);
  if (load.bytes > budget) return Fail(load, PngLoadErrorKind::OverBudget);
  return true;
}

// Reads the header, makes the frames and decodes the image straight into
// their rows, pass by pass, premultiplying each row once it is complete.
// libpng's errors jump back here; nothing in this frame has a destructor for
// the jump to skip.
bool ReadStrip(PngLoad& load, OffscreenSurface& surface, int32_t frameCount, uint64_t budget) {
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

  // NOTE: our own limits below refuse large strips before anything is
  // allocated; libpng's default limit would call some of them merely invalid.
  png_set_user_limits(load.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_init_io(load.png, load.file);
  png_set_sig_bytes(load.png, int(kSignatureBytes));
  png_read_info(load.png, load.info);
  int colorType = 0;
  png_get_IHDR(load.png, load.info, &load.width, &load.height, nullptr, &colorType, nullptr, nullptr, nullptr);
  if (!WithinLimits(load, frameCount, budget)) return false;
  // The sizes are checked above, so only an allocation can fail here.
  if (!surface.CreateFrames(int32_t(load.width), int32_t(load.height / png_uint_32(frameCount)), frameCount)) {
    return Fail(load, PngLoadErrorKind::OutOfMemory);
  }

  const int passes = SetTransformations(load.png, load.info, colorType);
  if (png_get_rowbytes(load.png, load.info) != size_t(load.width) * 4 ||
      png_get_bit_depth(load.png, load.info) != 8) {
    std::snprintf(load.message, sizeof load.message, "unexpected pixel layout after conversion");
    return Fail(load, PngLoadErrorKind::Corrupt);
  }
  const FrameBitmap& strip = surface.Strip();
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < load.height; ++y) {
      uint8_t* row = strip.Row(int32_t(y));
      png_read_row(load.png, row, nullptr);
      if (pass == passes - 1) PremultiplyRow(row, int32_t(load.width));
    }
  }
  return true;
}

}  // namespace

int OffscreenSurface::LoadPng(const std::wstring& path, int32_t newFrameCount, PngLoadError* error,
                              uint64_t budget) {
  Release();
  if (error != nullptr) *error = PngLoadError{};
  PngLoad load;
  load.file = OpenStripFile(path, error);
  if (load.file == nullptr) return 0;
  const bool decoded = ReadStrip(load, *this, newFrameCount, budget);
  if (!decoded) {
    Release();
    if (error != nullptr) {
      *error = PngLoadError{load.failure, load.message, load.width, load.height, load.bytes, budget};
    }
  }
  Close(load);
  return decoded ? 1 : 0;
}
