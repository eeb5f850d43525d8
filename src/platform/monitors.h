#pragma once
// The attached displays: where they are, what the taskbar leaves free on
// them and how finely each one is scaled.
#include <cstdint>
#include <vector>

#include "geometry.h"

using WindowHandle = void*;

// The scale at which a window looks as it did before display scaling.
inline constexpr int32_t kDefaultDpi = 96;

struct MonitorInfo {
  Rect area;      // the whole monitor in virtual-screen pixels
  Rect workArea;  // without the taskbar and docked bars
  int32_t dpi = kDefaultDpi;
  bool primary = false;
};

// A length designed at 96 dpi, at another scale (rounded to the nearest pixel).
inline int32_t ScaleForDpi(int32_t length, int32_t dpi) {
  const int64_t scaled = int64_t{length} * dpi;
  return static_cast<int32_t>((scaled >= 0 ? scaled + kDefaultDpi / 2 : scaled - kDefaultDpi / 2) / kDefaultDpi);
}

// The monitor a rectangle belongs to: the one it overlaps most, else the one
// it is closest to; the primary monitor wins a tie. Null without monitors.
const MonitorInfo* NearestMonitor(const std::vector<MonitorInfo>& monitors, const Rect& rect);

namespace platform {

// Every monitor, the primary one among them; empty only if the system
// reports none.
std::vector<MonitorInfo> Monitors();
// The scale of the monitor a window is on; the system's scale where the
// system has no per-monitor scaling.
int32_t WindowDpi(WindowHandle window);

}  // namespace platform
