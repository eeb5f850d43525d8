#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "../win_constants.h"
#include "qt_world.h"

namespace qtb {

namespace {

Qt::WindowFlags FlagsFor(const CreateStruct& cs) {
  Qt::WindowFlags flags = Qt::Window;
  if ((cs.exStyle & ws::kExToolWindow) != 0) flags = Qt::Tool;
  if ((cs.style & ws::kPopup) != 0) flags |= Qt::FramelessWindowHint;
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

// The opaque pixels of the part as the X server takes a shape fastest:
// bands of rows with the same runs, top to bottom, each band's runs left to
// right (YX-banded).
std::vector<xcb_rectangle_t> OpaqueBands(const FramePart& part) {
  std::vector<xcb_rectangle_t> bands;
  std::vector<xcb_rectangle_t> row;
  size_t previous = 0;  // where the band above starts in bands
  for (int32_t y = 0; y < part.cy; ++y) {
    const auto* pixels = reinterpret_cast<const uint32_t*>(part.image->constScanLine(part.y + y)) + part.x;
    row.clear();
    int32_t x = 0;
    while (x < part.cx) {
      while (x < part.cx && (pixels[x] >> 24) == 0) ++x;
      const int32_t start = x;
      while (x < part.cx && (pixels[x] >> 24) != 0) ++x;
      if (x > start) row.push_back({int16_t(start), int16_t(y), uint16_t(x - start), 1});
    }
    const size_t above = bands.size() - previous;
    bool same = y > 0 && above == row.size() && !row.empty() && bands[previous].y + bands[previous].height == y;
    for (size_t k = 0; same && k < row.size(); ++k) {
      same = bands[previous + k].x == row[k].x && bands[previous + k].width == row[k].width;
    }
    if (same) {
      for (size_t k = 0; k < row.size(); ++k) ++bands[previous + k].height;
    } else {
      previous = bands.size();
      bands.insert(bands.end(), row.begin(), row.end());
    }
  }
  return bands;
}

xcb_connection_t* Connection() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

// With a compositing manager the alpha itself shows what is below, and only
// input needs a shape; without one the shape also cuts the window's outline,
// or its transparent pixels would show as black.
bool CompositorRunning(xcb_connection_t* connection) {
  static const bool running = [connection] {
    const char name[] = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    if (atom == nullptr) return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool owned = owner != nullptr && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return owned;
  }();
  return running;
}

}  // namespace

void FlushRequests() {
  if (xcb_connection_t* connection = Connection()) xcb_flush(connection);
}

NativeWindow::NativeWindow(CWnd* object, const CreateStruct& cs, const WindowClass& windowClass)
    : QWidget(nullptr, FlagsFor(cs)),
      object(object),
      style(cs.style),
      exStyle(cs.exStyle),
      rect(cs.rect),
      doubleClicks((windowClass.style & cs::kDblClks) != 0) {
  setWindowTitle(ToQString(cs.title));
  if (IsLayered()) {
    // Drawn straight from premultiplied frames; nothing of Qt's own background.
    // Only a compositing manager blends a window's alpha with what is below;
    // without one the server would keep an offscreen copy of each sprite and
    // copy it out on every move, only to show the same premultiplied colours
    // that an ordinary window does.
    xcb_connection_t* connection = Connection();
    if (connection != nullptr && CompositorRunning(connection)) setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
  } else if (windowClass.brush == ClassBrush::Black) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  setFocusPolicy(Qt::StrongFocus);
  setGeometry(ToQRect(cs.rect));
}

bool NativeWindow::IsLayered() const {
  // A layered window with a frame is an overlay drawn by the program (the
  // range editor), not a frame shown from a bitmap.
  return (exStyle & ws::kExLayered) != 0 && (style & ws::kThickFrame) == 0;
}

void NativeWindow::RefreshRect() {
  const Rect now = FromQRect(geometry());
  std::lock_guard lock(TheWorld().mutex);
  rect = now;
}

void NativeWindow::Place(const Rect& target) {
  const QRect wanted = ToQRect(target);
  xcb_connection_t* connection = Connection();
  if (IsLayered() && isVisible() && connection != nullptr && wanted.size() == size()) {
    // A drifting sprite moves every frame. Qt's move also rewrites the size
    // hints each time, which costs the server and us a round of events; the
    // window system's own move is all a sprite needs.
    if (target.left != rect.left || target.top != rect.top) {
      const uint32_t place[] = {uint32_t(target.left), uint32_t(target.top)};
      xcb_configure_window(connection, static_cast<xcb_window_t>(winId()),
                           XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
      unconfirmedMoves[nextUnconfirmed++ % unconfirmedMoves.size()] = wanted.topLeft();
    }
  } else if (wanted.size() != size()) {
    setGeometry(wanted);
  } else if (wanted.topLeft() != pos()) {
    move(wanted.topLeft());
  }
  std::lock_guard lock(TheWorld().mutex);
  rect = target;
}

void NativeWindow::SyncQtGeometry() {
  const QRect placed = ToQRect(GetRect());
  if (geometry() != placed) setGeometry(placed);
}

Rect NativeWindow::GetRect() const {
  std::lock_guard lock(TheWorld().mutex);
  return rect;
}

void NativeWindow::ShowLayered(const FramePart& part) {
  const bool changed = part != shown;
  shown = part;
  if (part != masked) ApplyMask(part);
  if (changed) update();
}

void NativeWindow::ApplyMask(const FramePart& part) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  auto found = masks.find(part);
  if (found == masks.end()) found = masks.emplace(part, OpaqueBands(part)).first;
  const std::vector<xcb_rectangle_t>& bands = found->second;
  const xcb_shape_kind_t kind = CompositorRunning(connection) ? XCB_SHAPE_SK_INPUT : XCB_SHAPE_SK_BOUNDING;
  xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, kind, XCB_CLIP_ORDERING_YX_BANDED,
                       static_cast<xcb_window_t>(winId()), 0, 0, static_cast<uint32_t>(bands.size()), bands.data());
  masked = part;
}

void NativeWindow::ReapplyMask() {
  if (shown.image != nullptr) ApplyMask(shown);
}

void NativeWindow::StartMove() {
  QWindow* native = windowHandle();
  if (native != nullptr && native->startSystemMove()) return;
  // The caption message is handled after the press; a click may be over by
  // then, and a drag left on would carry the window off at the next press.
  dragging = (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
  const Rect now = GetRect();
  dragOffset = QCursor::pos() - QPoint(now.left, now.top);
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
  const WindowHandle self = this;
  Deliver(self, wm::kNcPaint, 0, 0);
  if (!canvas.isNull()) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), canvas);
  }
  Deliver(self, wm::kPaint, 0, 0);
  painting = false;
}

void NativeWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PostInput(this, wm::kLButtonDown, 0, Packed(event), event->modifiers());
  if (event->button() == Qt::RightButton) PostInput(this, wm::kRButtonDown, 0, Packed(event), event->modifiers());
}

void NativeWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging = false;
    PostInput(this, wm::kLButtonUp, 0, Packed(event), event->modifiers());
  }
  if (event->button() == Qt::RightButton) PostInput(this, wm::kRButtonUp, 0, Packed(event), event->modifiers());
}

void NativeWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // A class without double-clicks sees a second press instead.
  PostInput(this, doubleClicks ? wm::kLButtonDblClk : wm::kLButtonDown, 0, Packed(event), event->modifiers());
}

void NativeWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging) return;
  const QPoint to = event->globalPosition().toPoint() - dragOffset;
  Place(Rect{to.x(), to.y(), to.x() + width(), to.y() + height()});
  Post(this, wm::kMoving);
}

void NativeWindow::keyPressEvent(QKeyEvent* event) {
  const uint32_t key = VirtualKey(event->key());
  if (key != 0) PostInput(this, wm::kKeyDown, key, 0, event->modifiers());
}

void NativeWindow::closeEvent(QCloseEvent* event) {
  // The object decides, as with WM_CLOSE on the desktop.
  event->ignore();
  Post(this, wm::kClose);
}

void NativeWindow::moveEvent(QMoveEvent*) {
  RefreshRect();
  if (!IsLayered() && !dragging && isVisible()) Post(this, wm::kMoving);
}

void NativeWindow::resizeEvent(QResizeEvent*) { RefreshRect(); }

bool NativeWindow::nativeEvent(const QByteArray&, void* message, qintptr*) {
  // The server's notice of each of the program's own moves is dropped: Qt
  // would ask the server twice per notice where the window is (a round trip
  // each, twenty per frame for ten sprites), and the notices come after
  // later moves were asked for. A move made by someone else, a window
  // manager or a user's drag, still reaches Qt and says where the window is.
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return false;
  const auto* notice = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
  if (notice->window != static_cast<xcb_window_t>(winId()) || notice->width != width() ||
      notice->height != height()) {
    return false;
  }
  auto own = std::find(unconfirmedMoves.begin(), unconfirmedMoves.end(), QPoint(notice->x, notice->y));
  if (own == unconfirmedMoves.end()) return false;
  *own = kNowhere;
  return true;
}

}  // namespace qtb
