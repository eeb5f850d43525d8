#include "qt_native_window.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

#include "platform/win_constants.h"
#include "qt_frame_bitmap.h"
#include "qt_world.h"

namespace qt {

namespace {

bool IsSprite(uint32_t style, uint32_t exStyle) {
  // A layered window with a frame is an overlay drawn by the program (the
  // range editor), not a frame shown from a bitmap.
  return (exStyle & ws::kExLayered) != 0 && (style & ws::kThickFrame) == 0;
}

Qt::WindowFlags FlagsFor(const CreateStruct& cs) {
  Qt::WindowFlags flags = Qt::Window;
  if ((cs.exStyle & ws::kExToolWindow) != 0) flags = Qt::Tool;
  if ((cs.style & ws::kPopup) != 0) flags |= Qt::FramelessWindowHint;
  // A click on a sprite leaves the keyboard where the user had it.
  if (IsSprite(cs.style, cs.exStyle)) flags |= Qt::WindowDoesNotAcceptFocus;
  return flags;
}

// The key codes the application knows; others are not passed on.
uint32_t VirtualKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::kReturn;
    case Qt::Key_Escape: return vk::kEscape;
    case Qt::Key_Shift: return vk::kShift;
    case Qt::Key_Control: return vk::kControl;
    case Qt::Key_PageUp: return vk::kPrior;
    case Qt::Key_PageDown: return vk::kNext;
    case Qt::Key_End: return vk::kEnd;
    case Qt::Key_Home: return vk::kHome;
    case Qt::Key_Left: return vk::kLeft;
    case Qt::Key_Up: return vk::kUp;
    case Qt::Key_Right: return vk::kRight;
    case Qt::Key_Down: return vk::kDown;
    default: break;
  }
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return uint32_t(key);
  return 0;
}

intptr_t Packed(const QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  return PackPoint(at.x(), at.y());
}

// Input messages carry the modifier keys of their event.
void PostInput(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam, const QInputEvent* event) {
  soft::PostInput(handle, message, wParam, lParam, event->modifiers().toInt());
}

}  // namespace

NativeWindow::NativeWindow(CWnd* object, const CreateStruct& cs, const WindowClass& windowClass)
    : soft::Window(object, cs),
      QWidget(nullptr, FlagsFor(cs)),
      doubleClicks((windowClass.style & cs::kDblClks) != 0) {
  setWindowTitle(ToQString(cs.title));
  if (IsLayered()) {
    // Drawn straight from premultiplied frames; nothing of Qt's own background.
    // Only a compositing manager blends a window's alpha with what is below;
    // without one the server would keep an offscreen copy of each sprite and
    // copy it out on every move, only to show the same premultiplied colours
    // that an ordinary window does.
    if (x11::CompositorRunning()) setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
  } else if (windowClass.brush == ClassBrush::Black) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  setFocusPolicy(IsLayered() ? Qt::NoFocus : Qt::StrongFocus);
  if (HasFrame()) {
    resize(cs.rect.Width(), cs.rect.Height());
    move(cs.rect.left, cs.rect.top);
  } else {
    setGeometry(ToQRect(cs.rect));
  }
}

bool NativeWindow::IsLayered() const { return IsSprite(style, exStyle); }

bool NativeWindow::HasFrame() const { return (style & ws::kPopup) == 0; }

QRect NativeWindow::PlacedGeometry() const {
  // Qt's position of a top-level window is its frame's corner.
  return HasFrame() ? QRect(pos(), size()) : geometry();
}

void NativeWindow::RefreshRect() { SetRect(FromQRect(PlacedGeometry())); }

void NativeWindow::Place(const Rect& target) {
  const QRect wanted = ToQRect(target);
  if (HasFrame()) {
    if (wanted.size() != size()) resize(wanted.size());
    if (wanted.topLeft() != pos()) move(wanted.topLeft());
  } else if (IsLayered() && isVisible() && x11::Connected() && wanted.size() == size()) {
    // A drifting sprite moves every frame. Qt's move also rewrites the size
    // hints each time, which costs the server and us a round of events; the
    // window system's own move is all a sprite needs.
    MoveOnServer(wanted.topLeft());
    return;
  } else if (wanted.size() != size()) {
    setGeometry(wanted);
  } else if (wanted.topLeft() != pos()) {
    move(wanted.topLeft());
  }
  SetRect(target);
}

void NativeWindow::Resized() {
  if (IsLayered()) return;
  needsPaint = true;
  update();
}

bool NativeWindow::ShowFrame(Point topLeft, Size size, const FrameBitmap& source, Point from) {
  if (!IsLayered() || size.cx <= 0 || size.cy <= 0) return false;
  Place(Rect{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy});
  const QImage& image = source.GetNative()->image;
  ShowLayered(FramePart{&image, image.cacheKey(), from.x, from.y, size.cx, size.cy});
  return true;
}

void NativeWindow::MoveOnServer(QPoint topLeft) {
  const Rect now = GetRect();
  if (topLeft.x() != now.left || topLeft.y() != now.top) {
    x11::MoveWindow(Id(), topLeft);
    ExpectNotice(topLeft);
  }
  SetRect(Rect{topLeft.x(), topLeft.y(), topLeft.x() + now.Width(), topLeft.y() + now.Height()});
}

void NativeWindow::ExpectNotice(QPoint topLeft) {
  unconfirmedMoves[nextUnconfirmed++ % unconfirmedMoves.size()] = topLeft;
}

void NativeWindow::SyncQtGeometry() {
  const QRect placed = ToQRect(GetRect());
  if (PlacedGeometry() == placed) return;
  if (HasFrame()) {
    resize(placed.size());
    move(placed.topLeft());
    return;
  }
  // The window is there already: the server's notice says nothing new.
  if (isVisible()) ExpectNotice(placed.topLeft());
  setGeometry(placed);
}

void NativeWindow::Reveal() {
  if (isVisible()) return;
  if (IsLayered() && shown.image == nullptr) {
    revealPending = true;
    return;
  }
  revealPending = false;
  SyncQtGeometry();
  // NOTE: a window manager forgets a window's states when it is hidden;
  // they are set before each mapping and asked for again after it.
  for (const bool mapped : {false, true}) {
    if (mapped) show();
    if (!x11::Connected()) continue;
    // Sprites are no application windows: taskbars and pagers leave them out.
    if (IsLayered()) x11::SetStates(Id(), mapped, true, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    if (staysOnTop) x11::SetStates(Id(), mapped, true, {"_NET_WM_STATE_ABOVE"});
  }
  needsPaint = true;
  // The range editor takes the keys while it is open.
  if (!testAttribute(Qt::WA_ShowWithoutActivating)) {
    raise();
    activateWindow();
  }
}

void NativeWindow::Conceal() {
  revealPending = false;
  hide();
}

void NativeWindow::ShowMinimized() {
  if (minimized) {
    showMinimized();
  } else {
    setWindowState(windowState() & ~Qt::WindowMinimized);
  }
}

void NativeWindow::Activate() {
  raise();
  activateWindow();
}

void NativeWindow::SetStaysOnTop(bool onTop) {
  // NOTE: Qt's stays-on-top flag makes the native window anew when it is
  // next shown, which loses its shape and the moves the program made
  // straight to the server; the window manager's state alone is changed.
  if (onTop == staysOnTop) return;
  staysOnTop = onTop;
  if (!x11::Connected() || !testAttribute(Qt::WA_WState_Created)) return;
  x11::SetStates(Id(), isVisible(), onTop, {"_NET_WM_STATE_ABOVE"});
  if (onTop && isVisible()) raise();
}

void NativeWindow::ShowLayered(const FramePart& part) {
  const bool changed = part != shown;
  shown = part;
  if (part != masked && x11::SetOutline(Id(), layered, part)) masked = part;
  if (revealPending) Reveal();
  if (!changed) return;
  // Once Qt has drawn the window, its frames go to the server straight:
  // Qt's painting would first wait for the server to finish reading the
  // frame before, a round trip each time.
  const QWindow* native = windowHandle();
  if (native != nullptr && native->isExposed() && x11::PutFrame(Id(), layered, part, QRect(0, 0, part.cx, part.cy))) {
    return;
  }
  update();
}

void NativeWindow::SetOpacity(uint8_t alpha) { setWindowOpacity(alpha / 255.0); }

void NativeWindow::PaintNow() {
  if (isVisible()) repaint();
}

void NativeWindow::PaintLater() { update(); }

void NativeWindow::Discard() {
  Conceal();
  if (painting) {
    deleteLater();
  } else {
    delete this;
  }
}

void NativeWindow::StartSystemMove() {
  // The caption message is handled after the press, when the pointer may
  // be on its way or the button up again.
  if (!pressUnclaimed) return;
  pressUnclaimed = false;
  if (leftHeld) {
    drag = Drag::Armed;
    FollowPointer();
  } else if ((pointerAt - pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
    MoveTo(pointerAt - grabOffset);
  }
}

void NativeWindow::Press(const QMouseEvent* event) {
  leftHeld = true;
  pressUnclaimed = true;
  drag = Drag::None;
  pressedAt = pointerAt = event->globalPosition().toPoint();
  const Rect now = GetRect();
  grabOffset = pressedAt - QPoint(now.left, now.top);
}

void NativeWindow::FollowPointer() {
  if (drag == Drag::Following) {
    MoveTo(pointerAt - grabOffset);
    return;
  }
  if (drag != Drag::Armed || (pointerAt - pressedAt).manhattanLength() < QApplication::startDragDistance()) return;
  // NOTE: Qt tells the window manager where the move begins from the last
  // pointer event and where Qt believes the window is. Qt is told where the
  // window was at that event, and the window is then put under the pointer
  // by the server alone: the manager's move carries on from there exactly.
  SyncQtGeometry();
  MoveOnServer(pointerAt - grabOffset);
  soft::Post(Handle(), wm::kMoving);
  x11::FlushRequests();
  QWindow* native = windowHandle();
  drag = native != nullptr && native->startSystemMove() ? Drag::ByWindowManager : Drag::Following;
}

void NativeWindow::MoveTo(QPoint topLeft) {
  Place(Rect{topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()});
  soft::Post(Handle(), wm::kMoving);
}

void NativeWindow::paintEvent(QPaintEvent*) {
  needsPaint = false;
  painting = true;
  if (IsLayered()) {
    if (shown.image != nullptr) {
      QPainter painter(this);
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(QPoint(0, 0), *shown.image, QRect(shown.x, shown.y, shown.cx, shown.cy));
    }
    painting = false;
    return;
  }
  const WindowHandle self = Handle();
  soft::Deliver(self, wm::kNcPaint, 0, 0);
  if (!canvas.isNull()) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), canvas);
  }
  soft::Deliver(self, wm::kPaint, 0, 0);
  painting = false;
}

void NativeWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    Press(event);
    PostInput(Handle(), wm::kLButtonDown, 0, Packed(event), event);
  }
  if (event->button() == Qt::RightButton) PostInput(Handle(), wm::kRButtonDown, 0, Packed(event), event);
}

void NativeWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pointerAt = event->globalPosition().toPoint();
    if (drag == Drag::ByWindowManager) {
      // The button went up before the window manager took the pointer.
      x11::CancelManagerMove(Id());
      drag = Drag::Following;
    }
    FollowPointer();
    leftHeld = false;
    drag = Drag::None;
    PostInput(Handle(), wm::kLButtonUp, 0, Packed(event), event);
  }
  if (event->button() == Qt::RightButton) PostInput(Handle(), wm::kRButtonUp, 0, Packed(event), event);
}

void NativeWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  Press(event);
  // A class without double-clicks sees a second press instead.
  PostInput(Handle(), doubleClicks ? wm::kLButtonDblClk : wm::kLButtonDown, 0, Packed(event), event);
}

void NativeWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!leftHeld) return;
  pointerAt = event->globalPosition().toPoint();
  FollowPointer();
}

void NativeWindow::keyPressEvent(QKeyEvent* event) {
  const uint32_t key = VirtualKey(event->key());
  if (key != 0) PostInput(Handle(), wm::kKeyDown, key, 0, event);
}

void NativeWindow::closeEvent(QCloseEvent* event) {
  // The object decides, as with WM_CLOSE on the desktop.
  event->ignore();
  soft::Post(Handle(), wm::kClose);
}

void NativeWindow::moveEvent(QMoveEvent*) {
  RefreshRect();
  if (!IsLayered() && drag != Drag::Following && isVisible()) soft::Post(Handle(), wm::kMoving);
}

void NativeWindow::resizeEvent(QResizeEvent*) { RefreshRect(); }

void NativeWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || isMinimized() == minimized) return;
  minimized = isMinimized();
  if (minimized) soft::Post(Handle(), wm::kSize, kSizeMinimized);
}

bool NativeWindow::nativeEvent(const QByteArray&, void* message, qintptr*) {
  // A sprite draws what the server asks for again from its frame: Qt would
  // show its own copy, which holds the frame Qt last painted.
  const QWindow* native = windowHandle();
  if (IsLayered() && shown.image != nullptr && native != nullptr && native->isExposed()) {
    if (const std::optional<QRect> exposed = x11::ExposeNotice(message, Id())) {
      return x11::PutFrame(Id(), layered, shown, *exposed);
    }
  }
  // The server's notice of each of the program's own moves is dropped: Qt
  // would ask the server twice per notice where the window is (a round trip
  // each, twenty per frame for ten sprites), and the notices come after
  // later moves were asked for. A move made by someone else, a window
  // manager or a user's drag, still reaches Qt and says where the window is.
  const std::optional<QRect> notice = x11::ConfigureNotice(message, Id());
  if (!notice || notice->size() != size()) return false;
  auto own = std::find(unconfirmedMoves.begin(), unconfirmedMoves.end(), notice->topLeft());
  if (own == unconfirmedMoves.end()) return false;
  *own = kNowhere;
  return true;
}

NativeWindow* Find(WindowHandle handle) { return static_cast<NativeWindow*>(soft::Find(handle)); }

}  // namespace qt

namespace soft {

Window* MakeWindow(CWnd* object, const CreateStruct& cs, const WindowClass& windowClass) {
  return new qt::NativeWindow(object, cs, windowClass);
}

}  // namespace soft
