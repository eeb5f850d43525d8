#include "headless_world.h"
#include "platform/win_constants.h"

using headless::detail::TheWorld;

namespace headless {

void SetMonitors(const std::vector<MonitorInfo>& monitors) {
  {
    std::lock_guard lock(soft::TheWorld().mutex);
    soft::TheWorld().monitors = monitors;
  }
  std::lock_guard lock(TheWorld().mutex);
  for (const MonitorInfo& monitor : monitors) {
    if (monitor.primary) TheWorld().screen = {monitor.area.Width(), monitor.area.Height()};
  }
}

void PostDisplayChange() {
  for (WindowHandle window : Windows()) Post(window, wm::kDisplayChange);
}

}  // namespace headless
