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

// Space left between sprites put side by side.
constexpr int32_t kFirstPositionGap = 8;

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// 0, 1, -1, 2, -2, ...: the n-th step out from the middle.
int32_t StepFromMiddle(int32_t n) { return (n % 2 == 1 ? 1 : -1) * ((n + 1) / 2); }

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

std::optional<Point> FirstPosition(Size size, const std::vector<MonitorInfo>& monitors, const std::vector<Rect>& taken) {
  if (monitors.empty()) return std::nullopt;
  const MonitorInfo* primary = &monitors.front();
  for (const MonitorInfo& monitor : monitors) {
    if (monitor.primary) primary = &monitor;
  }
  const Rect& area = primary->workArea;
  const int32_t width = size.cx;
  const int32_t height = size.cy;
  const Point middle{area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2};
  const int32_t columns = area.Width() / (width + kFirstPositionGap) + 2;
  const int32_t rows = area.Height() / (height + kFirstPositionGap) + 2;
  for (int32_t row = 0; row < rows; ++row) {
    for (int32_t column = 0; column < columns; ++column) {
      const int32_t x = middle.x + StepFromMiddle(column) * (width + kFirstPositionGap);
      const int32_t y = middle.y + StepFromMiddle(row) * (height + kFirstPositionGap);
      const Rect spot{x, y, x + width, y + height};
      if (!Inside(spot, area)) continue;
      if (std::none_of(taken.begin(), taken.end(), [&](const Rect& other) { return Overlap(spot, other); })) {
        return Point{x, y};
      }
    }
  }
  return middle;
}
