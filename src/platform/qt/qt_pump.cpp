#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include "../system.h"
#include "../win_constants.h"
#include "qt_world.h"

using qtb::TheWorld;

namespace {

// Milliseconds until the next timer is due; -1 without timers.
int32_t UntilNextTimer() {
  auto& world = TheWorld();
  std::lock_guard lock(world.mutex);
  const uint32_t now = platform::TimeGetTime();
  int32_t soonest = -1;
  for (const auto& timer : world.timers) {
    const int32_t left = std::max<int32_t>(0, static_cast<int32_t>(timer.due - now));
    if (soonest < 0 || left < soonest) soonest = left;
  }
  return soonest;
}

bool TakeQueued(Message& out, bool remove) {
  auto& world = TheWorld();
  std::lock_guard lock(world.mutex);
  if (!world.queue.empty()) {
    out = world.queue.front().message;
    if (remove) {
      world.held = world.queue.front().held;
      world.queue.pop_front();
    }
    return true;
  }
  if (world.quitPending) {
    out = Message{nullptr, wm::kQuit, static_cast<uintptr_t>(world.quitCode), 0};
    if (remove) world.quitPending = false;
    return true;
  }
  // Timers come last, as on the desktop: only an otherwise empty queue has them.
  const uint32_t now = platform::TimeGetTime();
  for (auto& timer : world.timers) {
    if (static_cast<int32_t>(now - timer.due) >= 0) {
      out = Message{timer.window, wm::kTimer, timer.id, 0};
      if (remove) timer.due = now + timer.period;
      return true;
    }
  }
  return false;
}

// Sleeps until Qt has an event or the next of our timers is due.
void WaitForEvents() {
  static QTimer* wake = nullptr;
  if (wake == nullptr) {
    wake = new QTimer;
    wake->setSingleShot(true);
    wake->setTimerType(Qt::PreciseTimer);
  }
  const int32_t wait = UntilNextTimer();
  if (wait >= 0) wake->start(wait);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

}  // namespace

namespace platform {

bool PeekMessage(Message& out, bool remove) {
  // Input, painting and window-system events become messages or are handled here.
  qtb::FlushRequests();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return TakeQueued(out, remove);
}

bool GetMessage(Message& out) {
  while (!PeekMessage(out, true)) WaitForEvents();
  return out.message != wm::kQuit;
}

void WaitForWork() {
  Message next;
  if (!PeekMessage(next, false)) WaitForEvents();
}

void WakeUserInterface() {
  // The dispatcher's wake-up is the one call Qt makes safe from any thread.
  if (QCoreApplication* application = QCoreApplication::instance()) {
    if (QAbstractEventDispatcher* dispatcher = application->thread()->eventDispatcher()) dispatcher->wakeUp();
  }
}

void TranslateMessage(const Message&) {}

intptr_t DispatchMessage(const Message& message) {
  if (message.window == nullptr) return 0;
  return qtb::Deliver(message.window, message.message, message.wParam, message.lParam);
}

void PostQuitMessage(int exitCode) {
  std::lock_guard lock(TheWorld().mutex);
  TheWorld().quitPending = true;
  TheWorld().quitCode = exitCode;
}

}  // namespace platform
