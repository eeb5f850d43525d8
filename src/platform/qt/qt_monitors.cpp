#include <QGuiApplication>
#include <QScreen>

#include "platform/monitors.h"
#include "platform/system.h"
#include "qt_world.h"

// Geometry is in device pixels: the program turns Qt's display scaling off,
// so these are the numbers Windows reports for the same desktop.
namespace qt {

void RefreshMonitors() {
  std::vector<MonitorInfo> monitors;
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (const QScreen* screen : QGuiApplication::screens()) {
    monitors.push_back({FromQRect(screen->geometry()), FromQRect(screen->availableGeometry()),
                        qRound(screen->logicalDotsPerInch()), screen == primary});
  }
  std::lock_guard lock(TheScreens().mutex);
  TheScreens().monitors = std::move(monitors);
}

}  // namespace qt

namespace platform {

std::vector<MonitorInfo> Monitors() {
  std::lock_guard lock(qt::TheScreens().mutex);
  return qt::TheScreens().monitors;
}

int32_t WindowDpi(WindowHandle window) {
  const Rect rect = WindowRect(window);
  std::lock_guard lock(qt::TheScreens().mutex);
  const MonitorInfo* monitor = NearestMonitor(qt::TheScreens().monitors, rect);
  return monitor != nullptr ? monitor->dpi : kDefaultDpi;
}

}  // namespace platform
