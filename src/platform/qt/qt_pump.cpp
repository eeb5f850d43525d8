#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

#include "platform/app.h"
#include "platform/soft/soft_world.h"
#include "platform/win_constants.h"
#include "qt_x11.h"

namespace soft {

void WakePump() {
  if (auto* dispatcher = QAbstractEventDispatcher::instance(nullptr)) dispatcher->wakeUp();
}

}  // namespace soft

namespace platform {

bool PeekMessage(Message& out, bool remove) {
  // Input, painting and window-system events become messages or are handled here.
  qt::x11::FlushRequests();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Timers come last, as on the desktop: only an otherwise empty queue has them.
  return soft::TakeQueued(out, remove) || soft::TakeDueTimer(out, remove);
}

bool GetMessage(Message& out) {
  static QTimer* wake = nullptr;
  if (wake == nullptr) {
    wake = new QTimer;
    wake->setSingleShot(true);
    wake->setTimerType(Qt::PreciseTimer);
  }
  while (!PeekMessage(out, true)) {
    const int32_t wait = soft::UntilNextTimer();
    if (wait >= 0) wake->start(wait);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
  return out.message != wm::kQuit;
}

}  // namespace platform
