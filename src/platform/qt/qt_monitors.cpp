#include <QGuiApplication>
#include <QScreen>

#include "../monitors.h"
#include "../system.h"
#include "qt_world.h"

// Geometry is in device pixels: the program turns Qt's display scaling off,
// so these are the numbers Windows reports for the same desktop.
namespace qtb {

void RefreshMonitors() {
  std::vector<MonitorInfo> monitors;
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (const QScreen* screen : QGuiApplication::screens()) {
    monitors.push_back({FromQRect(screen->geometry()), FromQRect(screen->availableGeometry()),
                        qRound(screen->logicalDotsPerInch()), screen == primary});
  }
  std::lock_guard lock(TheWorld().mutex);
  TheWorld().monitors = std::move(monitors);
}

}  // namespace qtb

namespace platform {

std::vector<MonitorInfo> Monitors() {
  std::lock_guard lock(qtb::TheWorld().mutex);
  return qtb::TheWorld().monitors;
}

int32_t WindowDpi(WindowHandle window) {
  const Rect rect = WindowRect(window);
  std::lock_guard lock(qtb::TheWorld().mutex);
  const MonitorInfo* monitor = NearestMonitor(qtb::TheWorld().monitors, rect);
  return monitor != nullptr ? monitor->dpi : kDefaultDpi;
}

}  // namespace platform
