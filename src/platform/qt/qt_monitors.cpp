#include <QGuiApplication>
#include <QScreen>

#include "platform/soft/soft_world.h"
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
  std::lock_guard lock(soft::TheWorld().mutex);
  soft::TheWorld().monitors = std::move(monitors);
}

}  // namespace qt
