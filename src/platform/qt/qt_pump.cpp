#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include "platform/app.h"
#include "platform/soft/soft_world.h"
#include "platform/system.h"
#include "qt_x11.h"

namespace soft {

void PumpToolkit() {
  qt::x11::FlushRequests();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Sleeps until Qt has an event or the next of our timers is due.
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

namespace platform {

void WaitForWork() {
  Message next;
  if (!PeekMessage(next, false)) soft::WaitForToolkit(soft::UntilNextTimer());
}

void WakeUserInterface() {
  // The dispatcher's wake-up is the one call Qt makes safe from any thread.
  if (QCoreApplication* application = QCoreApplication::instance()) {
    if (QAbstractEventDispatcher* dispatcher = application->thread()->eventDispatcher()) dispatcher->wakeUp();
  }
}

}  // namespace platform
