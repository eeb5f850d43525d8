#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdint>

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
namespace {
// False while the user-interface thread waits for a message or a time only:
// a worker's new frame is taken at the tick after it and need not end it.
std::atomic<bool> framesWake{true};
}  // namespace

void WaitForWork() {
  Message next;
  if (!PeekMessage(next, false)) soft::WaitForToolkit(soft::UntilNextTimer());
}

void WaitForMessageOrTime(uint32_t milliseconds) {
  framesWake.store(false);
  Message next;
  if (!PeekMessage(next, false)) {
    const int32_t timer = soft::UntilNextTimer();
    const auto most = static_cast<int32_t>(std::min<uint32_t>(milliseconds, INT32_MAX));
    soft::WaitForToolkit(timer < 0 ? most : std::min(timer, most));
  }
  // NOTE: with a worker's fence in WakeUserInterface, either the worker sees
  // this store and wakes the thread, or the thread, checking for sprite
  // work after this, sees the worker's new frame.
  framesWake.store(true);
  std::atomic_thread_fence(std::memory_order_seq_cst);
}

void WakeUserInterface() {
  std::atomic_thread_fence(std::memory_order_seq_cst);
  if (!framesWake.load()) return;
  // The dispatcher's wake-up is the one call Qt makes safe from any thread.
  if (QCoreApplication* application = QCoreApplication::instance()) {
    if (QAbstractEventDispatcher* dispatcher = application->thread()->eventDispatcher()) dispatcher->wakeUp();
  }
}

}  // namespace platform
