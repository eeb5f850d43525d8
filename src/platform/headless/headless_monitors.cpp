#include "../monitors.h"
#include "../win_constants.h"
#include "headless_world.h"

using headless::detail::TheWorld;

namespace platform {

std::vector<MonitorInfo> Monitors() {
  std::lock_guard lock(TheWorld().mutex);
  return TheWorld().monitors;
}

int32_t WindowDpi(WindowHandle window) {
  std::lock_guard lock(TheWorld().mutex);
  const auto* found = headless::detail::Find(window);
  const MonitorInfo* monitor = NearestMonitor(TheWorld().monitors, found != nullptr ? found->state.rect : Rect{});
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
