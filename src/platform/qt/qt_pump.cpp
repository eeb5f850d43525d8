#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

#include "platform/soft/soft_world.h"
#include "qt_x11.h"

namespace soft {

void PumpToolkit() {
  qt::x11::FlushRequests();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool WaitForToolkit(int32_t timerDueInMs) {
  static QTimer* wake = nullptr;
  if (wake == nullptr) {
    wake = new QTimer;
    wake->setSingleShot(true);
    wake->setTimerType(Qt::PreciseTimer);
  }
  if (timerDueInMs >= 0) wake->start(timerDueInMs);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  return true;
}

void WakePump() {
  if (auto* dispatcher = QAbstractEventDispatcher::instance(nullptr)) dispatcher->wakeUp();
}

}  // namespace soft
