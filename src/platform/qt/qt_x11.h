#pragma once
// What the Qt backend asks of the X server itself, past Qt: window-manager
// states, outlines and frames of sprites, moves that Qt need not hear of, the
// compositor test. Only qt_x11.cpp sees xcb; windows are named by their
// native ids.
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
  // The image's own number: a strip made later at the same address (a skin
  // loaded again) is another strip, with its own outlines.
  qint64 strip = 0;
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

// What the program keeps of a layered window on the server: the outlines it
// has shown, each made once and kept for the window's life, and what its
// frames are put into the window with.
class Layered;
struct LayeredDeleter {
  void operator()(Layered* layered) const;
};
using LayeredState = std::unique_ptr<Layered, LayeredDeleter>;
// Gives the window the outline of the part's opaque pixels; false without an
// X server. Clicks reach the window only there. Without a compositing
// manager the window shows only those pixels; with one it shows every frame
// of the strip shown so far, the alpha showing what is below. The server is
// not asked to expose what a new outline uncovers: the part is put into the
// window whole after it.
bool SetOutline(WindowId window, LayeredState& state, const FramePart& part);
// Puts the area (window coordinates) of the part into the window, one upload
// that the server answers with nothing; false where the window does not take
// the frame's pixels as they are, so that Qt paints them.
bool PutFrame(WindowId window, LayeredState& state, const FramePart& part, QRect area);
// The area to draw again when the event is the server's exposure of this
// window; null otherwise.
std::optional<QRect> ExposeNotice(const void* event, WindowId window);

}  // namespace x11
}  // namespace qt
