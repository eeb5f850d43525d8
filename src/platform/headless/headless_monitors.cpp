#include "headless_world.h"
#include "platform/monitors.h"
#include "platform/system.h"
#include "platform/win_constants.h"

using headless::detail::TheWorld;

namespace platform {

std::vector<MonitorInfo> Monitors() {
  std::lock_guard lock(TheWorld().mutex);
  return TheWorld().monitors;
}

int32_t WindowDpi(WindowHandle window) {
  const Rect rect = WindowRect(window);
  std::lock_guard lock(TheWorld().mutex);
  const MonitorInfo* monitor = NearestMonitor(TheWorld().monitors, rect);
  return monitor != nullptr ? monitor->dpi : kDefaultDpi;
}

}  // namespace platform

namespace headless {

void SetMonitors(const std::vector<MonitorInfo>& monitors) {
  std::lock_guard lock(TheWorld().mutex);
  TheWorld().monitors = monitors;
  for (const MonitorInfo& monitor : monitors) {
    if (monitor.primary) TheWorld().screen = {monitor.area.Width(), monitor.area.Height()};
  }
}

void PostDisplayChange() {
  for (WindowHandle window : Windows()) Post(window, wm::kDisplayChange);
}

}  // namespace headless
