// Feeds arbitrary bytes to LoadPng as a strip file; a load either fails
// leaving the surface empty or yields whole, consistently sized frames.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "skin/offscreen_surface.h"

namespace {

const std::filesystem::path& StripPath() {
  static const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                            ("kitemaru-fuzz-" + std::to_string(getpid()) + ".png");
  return path;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void LoadAndCheck(OffscreenSurface& surface, int32_t frameCount) {
  if (surface.LoadPng(StripPath().wstring(), frameCount) == 0) {
    Check(surface.IsEmpty() && !surface.HasFrame(0));
    return;
  }
  Check(surface.FrameCount() == frameCount && surface.FrameWidth() > 0 && surface.FrameHeight() > 0);
  const size_t rowBytes = size_t(surface.FrameWidth()) * 4;
  uint32_t sum = 0;
  for (int32_t k = 0; k < frameCount; ++k) {
    Check(surface.HasFrame(k));
    for (int32_t j = 0; j < surface.FrameHeight(); ++j) {
      const uint8_t* row = surface.FrameRow(k, j);
      // Touch every stored byte; premultiplied colour never exceeds alpha.
      for (size_t i = 0; i < rowBytes; i += 4) {
        const uint8_t* pixel = row + i;
        Check(pixel[0] <= pixel[3] && pixel[1] <= pixel[3] && pixel[2] <= pixel[3]);
        sum += pixel[3];
      }
    }
  }
  (void)sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(StripPath().c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return 0;

  OffscreenSurface surface;
  LoadAndCheck(surface, 1);
  LoadAndCheck(surface, 2);
  return 0;
}
