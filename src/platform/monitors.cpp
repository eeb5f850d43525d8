#include "monitors.h"

#include <algorithm>

namespace {

// How far apart two rectangles lie along one axis, 0 when they overlap.
int64_t Gap(int32_t lowA, int32_t highA, int32_t lowB, int32_t highB) {
  if (highA <= lowB) return int64_t{lowB} - highA;
  if (highB <= lowA) return int64_t{lowA} - highB;
  return 0;
}

int64_t Overlap(int32_t lowA, int32_t highA, int32_t lowB, int32_t highB) {
  return std::max<int64_t>(0, int64_t{std::min(highA, highB)} - std::max(lowA, lowB));
}

}  // namespace

const MonitorInfo* NearestMonitor(const std::vector<MonitorInfo>& monitors, const Rect& rect) {
  const MonitorInfo* best = nullptr;
  int64_t bestDistance = 0;
  int64_t bestOverlap = 0;
  for (const MonitorInfo& monitor : monitors) {
    const Rect& area = monitor.area;
    const int64_t dx = Gap(rect.left, rect.right, area.left, area.right);
    const int64_t dy = Gap(rect.top, rect.bottom, area.top, area.bottom);
    const int64_t distance = dx * dx + dy * dy;
    const int64_t overlap =
        Overlap(rect.left, rect.right, area.left, area.right) * Overlap(rect.top, rect.bottom, area.top, area.bottom);
    const bool better = best == nullptr || distance < bestDistance ||
                        (distance == bestDistance && overlap > bestOverlap) ||
                        (distance == bestDistance && overlap == bestOverlap && monitor.primary && !best->primary);
    if (better) {
      best = &monitor;
      bestDistance = distance;
      bestOverlap = overlap;
    }
  }
  return best;
}
