#pragma once
// The in-memory window system that the Qt and headless backends share: the
// windows' places and visibility, the thread's message queue, its timers and
// the quit request, delivery to the window objects and what happens to a
// message that no handler took. What only a toolkit can do (show a window,
// paint it, move it on the screen) is a virtual member of Window, which each
// backend implements.
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/geometry.h"
#include "platform/monitors.h"
#include "platform/wnd.h"

class FrameBitmap;

namespace soft {

class Window {
 public:
  Window(CWnd* object, const CreateStruct& cs);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  WindowHandle Handle() { return this; }
  Rect GetRect() const;
  void SetRect(const Rect& rect);

  // What the toolkit does. Called without the world's lock.
  // Maps or unmaps the window; visible already says which.
  virtual void Reveal() {}
  virtual void Conceal() {}
  // Iconifies the window, or takes that back; minimized already says which.
  virtual void ShowMinimized() {}
  // Raises the window and gives it the keyboard.
  virtual void Activate() {}
  // Moves and sizes the window as the program asks; the default only keeps the rectangle.
  virtual void Place(const Rect& target) { SetRect(target); }
  // After a SetWindowPos that gave the window a size.
  virtual void Resized() {}
  virtual void SetStaysOnTop(bool) {}
  virtual void SetOpacity(uint8_t) {}
  // Shows the part of a premultiplied bitmap at topLeft; the part lies inside
  // the bitmap. False when the window cannot show it.
  virtual bool ShowFrame(Point topLeft, Size size, const FrameBitmap& source, Point from) = 0;
  // UpdateWindow: paints now. Invalidate: paints when the pump comes round,
  // with WM_PAINT from the queue unless the toolkit paints on its own events.
  virtual void PaintNow() {}
  virtual void PaintLater() {}
  virtual bool PaintedFromQueue() const { return false; }
  // A press on the caption that no handler took.
  virtual void StartSystemMove() {}
  // The window is gone for the program; the toolkit deletes it.
  virtual void Discard() { delete this; }

  CWnd* object;
  const uint32_t style;
  const uint32_t exStyle;
  bool visible = false;
  bool minimized = false;
  bool needsPaint = false;
  Rect rect;  // guarded by the world's mutex: worker threads read it
};

struct Timer {
  Window* window = nullptr;
  uintptr_t id = 0;
  uint32_t period = 0;
  uint32_t due = 0;
};

// A queued message with the modifier keys (the toolkit's own bits) held
// when it was made: they read as held while it is handled, as on the desktop.
struct Queued {
  Message message;
  uint32_t held = 0;
};

struct World {
  std::mutex mutex;  // other threads post, and read places and monitors
  std::vector<Window*> windows;  // in creation order
  std::deque<Queued> queue;
  uint32_t held = 0;  // of the message being handled
  std::vector<Timer> timers;
  bool quitPending = false;
  int quitCode = 0;
  std::map<std::wstring, WindowClass> classes;
  std::vector<MonitorInfo> monitors;  // as the toolkit last told them
};

World& TheWorld();
// Null when the handle names no live window.
Window* Find(WindowHandle handle);
// Routes a message to the window's object, then default processing.
intptr_t Deliver(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues a message for the pump; safe from any thread. An input message
// carries the modifiers of its event, any other those of the message being handled.
void Post(WindowHandle handle, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
void PostInput(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t held);
uint32_t HeldKeys();
// Milliseconds until the next timer is due; -1 without timers.
int32_t UntilNextTimer();
// Forgets every window (their objects are detached, not told), message, timer and class.
void Reset();

// Provided by the backend built on the core.
// A new window of the toolkit's for object; null when it cannot be made.
Window* MakeWindow(CWnd* object, const CreateStruct& cs, const WindowClass& windowClass);
// Turns the toolkit's pending events (input, painting) into messages or handles them.
void PumpToolkit();
// Waits for the toolkit's next event or until a timer is due (-1: none is);
// false when nothing can ever come.
bool WaitForToolkit(int32_t timerDueInMs);
// A message was posted: a pump waiting for the toolkit's events wakes.
void WakePump();

}  // namespace soft
