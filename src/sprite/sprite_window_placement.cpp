#include "sprite_window_placement.h"

#include <algorithm>

namespace {

bool ShowsEnough(const Rect& window, const Rect& area) {
  const int32_t width = std::max(0, std::min(window.right, area.right) - std::max(window.left, area.left));
  const int32_t height = std::max(0, std::min(window.bottom, area.bottom) - std::max(window.top, area.top));
  const int32_t needWidth = std::clamp(window.Width(), 1, kReachableSquare);
  const int32_t needHeight = std::clamp(window.Height(), 1, kReachableSquare);
  return width >= needWidth && height >= needHeight;
}

// Inside [low, high) when it fits, else from low on.
int32_t Fit(int32_t start, int32_t length, int32_t low, int32_t high) {
  if (length >= high - low) return low;
  return std::clamp(start, low, high - length);
}

}  // namespace

std::optional<Point> RescuedPosition(const Rect& window, const std::vector<MonitorInfo>& monitors) {
  for (const MonitorInfo& monitor : monitors) {
    if (ShowsEnough(window, monitor.workArea)) return std::nullopt;
  }
  const MonitorInfo* nearest = NearestMonitor(monitors, window);
  if (nearest == nullptr) return std::nullopt;
  const Rect& area = nearest->workArea;
  return Point{Fit(window.left, window.Width(), area.left, area.right),
               Fit(window.top, window.Height(), area.top, area.bottom)};
}
