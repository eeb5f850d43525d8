#include "win32_windows.h"

#include "platform/app.h"

namespace platform {
namespace {

void FromNative(const MSG& native, Message& out) {
  out.window = native.hwnd;
  out.message = native.message;
  out.wParam = native.wParam;
  out.lParam = native.lParam;
}

MSG ToNative(const Message& message) {
  MSG native{};
  native.hwnd = static_cast<HWND>(message.window);
  native.message = message.message;
  native.wParam = message.wParam;
  native.lParam = message.lParam;
  // Time and cursor position are those of the message last taken off the queue.
  native.time = static_cast<DWORD>(GetMessageTime());
  const DWORD position = GetMessagePos();
  native.pt = {static_cast<SHORT>(LOWORD(position)), static_cast<SHORT>(HIWORD(position))};
  return native;
}

// Auto-reset, so that a wake-up given while the user-interface thread was busy
// ends its next wait rather than being lost.
HANDLE WorkEvent() {
  static const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  return event;
}

}  // namespace

bool PeekMessage(Message& out, bool remove) {
  MSG native{};
  if (!PeekMessageW(&native, nullptr, 0, 0, remove ? PM_REMOVE : PM_NOREMOVE)) return false;
  FromNative(native, out);
  return true;
}

bool GetMessage(Message& out) {
  MSG native{};
  // -1 (an error) ends the loop like a quit request rather than spinning.
  const BOOL got = GetMessageW(&native, nullptr, 0, 0);
  FromNative(native, out);
  return got > 0;
}

void WaitForWork() {
  const HANDLE event = WorkEvent();
  // Without the event (it could not be made) a short wait still ends in time.
  if (event == nullptr) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 16, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return;
  }
  MsgWaitForMultipleObjectsEx(1, &event, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// The work event is not waited for: a new frame that sets it meanwhile is
// taken at the tick after this wait.
void WaitForMessageOrTime(uint32_t milliseconds) {
  MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void WakeUserInterface() {
  if (const HANDLE event = WorkEvent()) SetEvent(event);
}

void TranslateMessage(const Message& message) {
  const MSG native = ToNative(message);
  ::TranslateMessage(&native);
}

intptr_t DispatchMessage(const Message& message) {
  const MSG native = ToNative(message);
  return DispatchMessageW(&native);
}

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

}  // namespace platform
