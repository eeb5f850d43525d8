#include "win32_scaled_fonts.h"

#include <array>
#include <mutex>

#include "platform/monitors.h"
#include "win32_monitors.h"

namespace win32 {
namespace {

struct ScaledFont {
  int stockId = 0;
  int32_t dpi = 0;
  HFONT font = nullptr;
};

// A handful of scales is all a desktop has; when full, further scales use
// the stock font rather than growing without bound.
class ScaledFontCache {
 public:
  ScaledFontCache(const ScaledFontCache&) = delete;
  ScaledFontCache& operator=(const ScaledFontCache&) = delete;
  ScaledFontCache() = default;
  ~ScaledFontCache() {
    for (ScaledFont& entry : entries) {
      if (entry.font != nullptr) DeleteObject(entry.font);
    }
  }

  HGDIOBJ Get(int stockId, int32_t dpi) {
    HGDIOBJ stock = GetStockObject(stockId);
    // Stock fonts are made for the system scale.
    const int32_t systemDpi = SystemDpi();
    if (stock == nullptr || dpi == systemDpi || dpi <= 0) return stock;
    std::lock_guard lock(mutex);
    for (const ScaledFont& entry : entries) {
      if (entry.font != nullptr && entry.stockId == stockId && entry.dpi == dpi) return entry.font;
    }
    for (ScaledFont& entry : entries) {
      if (entry.font != nullptr) continue;
      LOGFONTW face{};
      if (GetObjectW(stock, sizeof face, &face) == 0) return stock;
      face.lfHeight = MulDiv(face.lfHeight, dpi, systemDpi);
      face.lfWidth = MulDiv(face.lfWidth, dpi, systemDpi);
      HFONT made = CreateFontIndirectW(&face);
      if (made == nullptr) return stock;
      entry = {stockId, dpi, made};
      return made;
    }
    return stock;
  }

 private:
  std::mutex mutex;
  std::array<ScaledFont, 8> entries{};
};

}  // namespace

HGDIOBJ ScaledStockFont(int stockId, int32_t dpi) {
  static ScaledFontCache cache;
  return cache.Get(stockId, dpi);
}

}  // namespace win32
