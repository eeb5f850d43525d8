#include <QApplication>
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
#include <initializer_list>
#include <string_view>
#include <vector>

#include "../win_constants.h"
#include "qt_world.h"

namespace qtb {

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

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.data()), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

xcb_window_t Root(xcb_connection_t* connection) {
  return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// With a compositing manager the alpha itself shows what is below; without
// one only the window's outline does, or its transparent pixels would show
// as black.
bool CompositorRunning(xcb_connection_t* connection) {
  static const bool running = [connection] {
    const xcb_atom_t selection = Atom(connection, "_NET_WM_CM_S0");
    if (selection == XCB_ATOM_NONE) return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = owner != nullptr && owner->owner != XCB_NONE;
    std::free(owner);
    return owned;
  }();
  return running;
}

bool WindowManagerRunning(xcb_connection_t* connection) {
  const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, Root(connection), check, XCB_ATOM_WINDOW, 0, 1), nullptr);
  const bool running = reply != nullptr && xcb_get_property_value_length(reply) == 4;
  std::free(reply);
  return running;
}

// Sets or clears window-manager states (_NET_WM_STATE_...): a window
// manager is asked for a mapped window, and the property is written for one
// not yet mapped (Qt keeps what it finds there when it maps the window) or
// with no window manager to write it.
void SetStates(xcb_connection_t* connection, xcb_window_t window, bool mapped, bool on,
               std::initializer_list<std::string_view> names) {
  static const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  std::vector<xcb_atom_t> changed;
  for (const std::string_view name : names) changed.push_back(Atom(connection, name));
  if (mapped) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = state;
    message.data.data32[0] = on ? 1 : 0;  // add or remove
    for (size_t k = 0; k < changed.size() && k < 2; ++k) message.data.data32[1 + k] = changed[k];
    message.data.data32[3] = 1;  // asked by an application
    xcb_send_event(connection, 0, Root(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    if (WindowManagerRunning(connection)) return;
  }
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 64), nullptr);
  std::vector<xcb_atom_t> atoms;
  if (reply != nullptr && reply->format == 32) {
    const auto* held = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    atoms.assign(held, held + xcb_get_property_value_length(reply) / 4);
  }
  std::free(reply);
  for (const xcb_atom_t atom : changed) {
    std::erase(atoms, atom);
    if (on) atoms.push_back(atom);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
                      atoms.data());
}

// Ends a window manager's move that began after the button was already up.
void CancelManagerMove(xcb_connection_t* connection, xcb_window_t window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom(connection, "_NET_WM_MOVERESIZE");
  message.data.data32[2] = 11;  // _NET_WM_MOVERESIZE_CANCEL
  message.data.data32[3] = 1;
  message.data.data32[4] = 1;
  xcb_send_event(connection, 0, Root(connection),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
}

}  // namespace

void FlushRequests() {
  if (xcb_connection_t* connection = Connection()) xcb_flush(connection);
}

bool DisplayLost() {
  xcb_connection_t* connection = Connection();
  return connection != nullptr && xcb_connection_has_error(connection) != 0;
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

void NativeWindow::RefreshRect() {
  const Rect now = FromQRect(PlacedGeometry());
  std::lock_guard lock(TheWorld().mutex);
  rect = now;
}

void NativeWindow::Place(const Rect& target) {
  const QRect wanted = ToQRect(target);
  if (HasFrame()) {
    if (wanted.size() != size()) resize(wanted.size());
    if (wanted.topLeft() != pos()) move(wanted.topLeft());
  } else if (IsLayered() && isVisible() && Connection() != nullptr && wanted.size() == size()) {
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
  std::lock_guard lock(TheWorld().mutex);
  rect = target;
}

void NativeWindow::MoveOnServer(QPoint topLeft) {
  if (topLeft.x() != rect.left || topLeft.y() != rect.top) {
    const uint32_t place[] = {uint32_t(topLeft.x()), uint32_t(topLeft.y())};
    xcb_configure_window(Connection(), xcb_window_t(winId()), XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    ExpectNotice(topLeft);
  }
  std::lock_guard lock(TheWorld().mutex);
  rect = Rect{topLeft.x(), topLeft.y(), topLeft.x() + rect.Width(), topLeft.y() + rect.Height()};
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

Rect NativeWindow::GetRect() const {
  std::lock_guard lock(TheWorld().mutex);
  return rect;
}

void NativeWindow::Reveal() {
  if (isVisible()) return;
  if (IsLayered() && shown.image == nullptr) {
    revealPending = true;
    return;
  }
  revealPending = false;
  SyncQtGeometry();
  xcb_connection_t* connection = Connection();
  // NOTE: a window manager forgets a window's states when it is hidden;
  // they are set before each mapping and asked for again after it.
  for (const bool mapped : {false, true}) {
    if (mapped) show();
    if (connection == nullptr) continue;
    const auto id = xcb_window_t(winId());
    // Sprites are no application windows: taskbars and pagers leave them out.
    if (IsLayered()) SetStates(connection, id, mapped, true, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    if (staysOnTop) SetStates(connection, id, mapped, true, {"_NET_WM_STATE_ABOVE"});
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

void NativeWindow::SetStaysOnTop(bool onTop) {
  // NOTE: Qt's stays-on-top flag makes the native window anew when it is
  // next shown, which loses its shape and the moves the program made
  // straight to the server; the window manager's state alone is changed.
  if (onTop == staysOnTop) return;
  staysOnTop = onTop;
  xcb_connection_t* connection = Connection();
  if (connection == nullptr || !testAttribute(Qt::WA_WState_Created)) return;
  SetStates(connection, xcb_window_t(winId()), isVisible(), onTop, {"_NET_WM_STATE_ABOVE"});
  if (onTop && isVisible()) raise();
}

void NativeWindow::ShowLayered(const FramePart& part) {
  const bool changed = part != shown;
  shown = part;
  if (part != masked) ApplyMask(part);
  if (revealPending) Reveal();
  if (changed) update();
}

void NativeWindow::ApplyMask(const FramePart& part) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  auto found = masks.find(part);
  if (found == masks.end()) found = masks.emplace(part, OpaqueBands(part)).first;
  const std::vector<xcb_rectangle_t>& bands = found->second;
  // NOTE: the outline, not only the input shape, even with a compositing
  // manager: a window manager gives its frame the outline of the window,
  // and a frame without one takes the clicks on the transparent pixels.
  xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_YX_BANDED,
                       static_cast<xcb_window_t>(winId()), 0, 0, static_cast<uint32_t>(bands.size()), bands.data());
  masked = part;
}

void NativeWindow::StartMove() {
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
  Post(this, wm::kMoving);
  FlushRequests();
  QWindow* native = windowHandle();
  drag = native != nullptr && native->startSystemMove() ? Drag::ByWindowManager : Drag::Following;
}

void NativeWindow::MoveTo(QPoint topLeft) {
  Place(Rect{topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()});
  Post(this, wm::kMoving);
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
  if (event->button() == Qt::LeftButton) {
    Press(event);
    PostInput(this, wm::kLButtonDown, 0, Packed(event), event->modifiers());
  }
  if (event->button() == Qt::RightButton) PostInput(this, wm::kRButtonDown, 0, Packed(event), event->modifiers());
}

void NativeWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pointerAt = event->globalPosition().toPoint();
    if (drag == Drag::ByWindowManager) {
      // The button went up before the window manager took the pointer.
      if (xcb_connection_t* connection = Connection()) CancelManagerMove(connection, xcb_window_t(winId()));
      drag = Drag::Following;
    }
    FollowPointer();
    leftHeld = false;
    drag = Drag::None;
    PostInput(this, wm::kLButtonUp, 0, Packed(event), event->modifiers());
  }
  if (event->button() == Qt::RightButton) PostInput(this, wm::kRButtonUp, 0, Packed(event), event->modifiers());
}

void NativeWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  Press(event);
  // A class without double-clicks sees a second press instead.
  PostInput(this, doubleClicks ? wm::kLButtonDblClk : wm::kLButtonDown, 0, Packed(event), event->modifiers());
}

void NativeWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!leftHeld) return;
  pointerAt = event->globalPosition().toPoint();
  FollowPointer();
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
  if (!IsLayered() && drag != Drag::Following && isVisible()) Post(this, wm::kMoving);
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
