#pragma once
// What the Qt backend asks of the X server itself, past Qt: window-manager
// states, outlines, moves that Qt need not hear of, the compositor test. Only
// qt_x11.cpp sees xcb; windows are named by their native ids.
#include <QImage>
#include <QPoint>
#include <QRect>

#include <compare>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>

namespace qt {

// The part of a frame bitmap a layered window shows; its outline is made
// once per part and kept.
struct FramePart {
  const QImage* image = nullptr;
  int32_t x = 0, y = 0, cx = 0, cy = 0;
  friend auto operator<=>(const FramePart&, const FramePart&) = default;
};

namespace x11 {

using WindowId = uint32_t;

// False when the program does not talk to an X server.
bool Connected();
// Sends what the program asked of the X server so far; the moves of a frame go out together.
void FlushRequests();
// The connection to the X server broke (the server ended or went away).
bool DisplayLost();
// With a compositing manager the alpha itself shows what is below; without
// one only the window's outline does, or its transparent pixels would show
// as black.
bool CompositorRunning();
// Sets or clears window-manager states (_NET_WM_STATE_...) of a window, mapped or not.
void SetStates(WindowId window, bool mapped, bool on, std::initializer_list<std::string_view> names);
// Ends a window manager's move that began after the button was already up.
void CancelManagerMove(WindowId window);
void MoveWindow(WindowId window, QPoint topLeft);
// The window's place when the event is the server's notice that this window
// was moved or sized; null otherwise.
std::optional<QRect> ConfigureNotice(const void* event, WindowId window);

// The outlines a window has shown, each made once and kept for its life.
class Outlines;
struct OutlinesDeleter {
  void operator()(Outlines* outlines) const;
};
using OutlineCache = std::unique_ptr<Outlines, OutlinesDeleter>;
// Gives the window the outline of the part's opaque pixels; false without an X server.
bool SetOutline(WindowId window, OutlineCache& cache, const FramePart& part);

}  // namespace x11
}  // namespace qt
