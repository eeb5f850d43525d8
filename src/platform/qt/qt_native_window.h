#pragma once
// One native window per CWnd: a window of the in-memory core that Qt shows,
// paints and feeds with input.
#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>

#include "platform/soft/soft_world.h"
#include "qt_x11.h"

namespace qt {

class NativeWindow final : public soft::Window, public QWidget {
 public:
  NativeWindow(CWnd* object, const CreateStruct& cs, const WindowClass& windowClass);

  using soft::Window::rect;
  using soft::Window::style;

  bool IsLayered() const;
  // Moves and sizes the window as the program asks (not a user's move). A
  // window with a frame is placed by its frame's corner, as on the desktop.
  void Place(const Rect& target) override;
  void Resized() override;
  bool ShowFrame(Point topLeft, Size size, const FrameBitmap& source, Point from) override;
  // Maps the window; a layered one waits for its first frame, so that it is
  // never seen (nor takes clicks) at its creation size.
  void Reveal() override;
  void Conceal() override;
  void ShowMinimized() override;
  void Activate() override;
  void SetStaysOnTop(bool onTop) override;
  void SetOpacity(uint8_t alpha) override;
  void PaintNow() override;
  void PaintLater() override;
  // A caption drag: once the pointer has moved past the drag distance with
  // the button held, the window manager's own move, else following the
  // pointer until the button goes up.
  void StartSystemMove() override;
  // A window destroyed from inside its own paint handler goes once that returns.
  void Discard() override;
  void RefreshRect();
  // Tells Qt where the window is before it maps it: Qt does not hear of a
  // sprite's own moves.
  void SyncQtGeometry();

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
  // A minimise by the window manager reaches the program as WM_SIZE.
  void changeEvent(QEvent* event) override;
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  bool HasFrame() const;
  QRect PlacedGeometry() const;
  x11::WindowId Id() const { return static_cast<x11::WindowId>(winId()); }
  void ShowLayered(const FramePart& part);
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
  x11::LayeredState layered;
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

// Null when the handle names no live window.
NativeWindow* Find(WindowHandle handle);

}  // namespace qt
