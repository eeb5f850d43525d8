#pragma once
// The state of the Qt backend, shared by its files: one native window per
// CWnd, the thread's message queue and its timers.
#include <QImage>
#include <QWidget>
#include <xcb/xproto.h>

#include <array>
#include <compare>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "../app.h"
#include "../geometry.h"
#include "../monitors.h"
#include "../wnd.h"

namespace qtb {

// The part of a frame bitmap a layered window shows; its input shape is
// made once per part and kept.
struct FramePart {
  const QImage* image = nullptr;
  int32_t x = 0, y = 0, cx = 0, cy = 0;
  friend auto operator<=>(const FramePart&, const FramePart&) = default;
};

class NativeWindow final : public QWidget {
 public:
  NativeWindow(CWnd* object, const CreateStruct& cs, const WindowClass& windowClass);

  bool IsLayered() const;
  // Moves and sizes the window as the program asks (not a user's move). A
  // window with a frame is placed by its frame's corner, as on the desktop.
  void Place(const Rect& rect);
  void ShowLayered(const FramePart& part);
  // Maps the window; a layered one waits for its first frame, so that it is
  // never seen (nor takes clicks) at its creation size.
  void Reveal();
  void Conceal();
  bool Revealed() const { return isVisible() || revealPending; }
  void SetStaysOnTop(bool onTop);
  // A caption drag: once the pointer has moved past the drag distance with
  // the button held, the window manager's own move, else following the
  // pointer until the button goes up.
  void StartMove();
  void RefreshRect();
  Rect GetRect() const;
  // Tells Qt where the window is before it maps it: Qt does not hear of a
  // sprite's own moves.
  void SyncQtGeometry();

  CWnd* object;
  uint32_t style;
  uint32_t exStyle;
  Rect rect;  // guarded by the world's mutex: worker threads read it
  bool needsPaint = false;
  bool painting = false;
  QImage canvas;  // what whole-window drawing (CWindowDC) made

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  bool HasFrame() const;
  QRect PlacedGeometry() const;
  void ApplyMask(const FramePart& part);
  void Press(const QMouseEvent* event);
  void FollowPointer();
  void MoveTo(QPoint topLeft);
  // Moves a frameless window without Qt, which then knows nothing of it.
  void MoveOnServer(QPoint topLeft);
  // The server's notice of a move the program made itself is not passed on.
  void ExpectNotice(QPoint topLeft);

  bool doubleClicks;
  bool revealPending = false;
  bool staysOnTop = false;
  FramePart shown;
  FramePart masked;
  std::map<FramePart, std::vector<xcb_rectangle_t>> masks;
  // The left button's press on this window and the drag it may start.
  enum class Drag { None, Armed, Following, ByWindowManager };
  Drag drag = Drag::None;
  bool leftHeld = false;
  bool pressUnclaimed = false;  // no caption message has come for it yet
  QPoint pressedAt;
  QPoint pointerAt;
  QPoint grabOffset;
  // Where the program moved the window itself and the server has not yet
  // said so, oldest overwritten first.
  static constexpr QPoint kNowhere{-0x7FFFFFFF, -0x7FFFFFFF};
  std::array<QPoint, 16> unconfirmedMoves = [] {
    std::array<QPoint, 16> points;
    points.fill(kNowhere);
    return points;
  }();
  size_t nextUnconfirmed = 0;
};

// Sends what the program asked of the X server so far; the moves of a
// frame go out together.
void FlushRequests();
// The connection to the X server broke (the server ended or went away).
bool DisplayLost();

struct Timer {
  NativeWindow* window = nullptr;
  uintptr_t id = 0;
  uint32_t period = 0;
  uint32_t due = 0;
};

// A queued message with the modifier keys held when it was made: the keys
// Shift and Ctrl read as down while it is handled, as on the desktop.
struct Queued {
  Message message;
  Qt::KeyboardModifiers held;
};

struct World {
  std::mutex mutex;  // windows, rectangles, queue and monitors
  std::set<NativeWindow*> windows;
  std::deque<Queued> queue;
  Qt::KeyboardModifiers held;  // of the message being handled
  std::vector<Timer> timers;
  bool quitPending = false;
  int quitCode = 0;
  std::map<std::wstring, WindowClass> classes;
  std::vector<MonitorInfo> monitors;
};

World& TheWorld();
// Null when the handle names no live window. Takes the world's lock.
NativeWindow* Find(WindowHandle handle);
// Routes a message to the window's object, then default processing.
intptr_t Deliver(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues a message for the pump; safe from any thread. Input messages carry
// the modifiers of their event.
void Post(WindowHandle handle, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
void PostInput(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam, Qt::KeyboardModifiers held);
// Reads the screens again (start-up and whenever they change).
void RefreshMonitors();

QString ToQString(const std::wstring& text);
inline QColor ToQColor(Color color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }
inline Rect FromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace qtb
