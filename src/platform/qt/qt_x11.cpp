#include "qt_x11.h"

#include <QGuiApplication>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

namespace qt::x11 {

namespace {

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

// A request to the window manager about a window, as an application sends it.
void AskWindowManager(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type,
                      std::initializer_list<uint32_t> data) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = type;
  std::copy(data.begin(), data.end(), message.data.data32);
  xcb_send_event(connection, 0, Root(connection),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
}

bool WindowManagerRunning(xcb_connection_t* connection) {
  const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, Root(connection), check, XCB_ATOM_WINDOW, 0, 1), nullptr);
  const bool running = reply != nullptr && xcb_get_property_value_length(reply) == 4;
  std::free(reply);
  return running;
}

// Pixels of a cx x cy area as the X server takes a shape fastest: bands of
// rows with the same runs, top to bottom, each band's runs left to right
// (YX-banded).
template <typename IsOpaque>
std::vector<xcb_rectangle_t> Bands(int32_t cx, int32_t cy, IsOpaque isOpaque) {
  std::vector<xcb_rectangle_t> bands;
  std::vector<xcb_rectangle_t> row;
  size_t previous = 0;  // where the band above starts in bands
  for (int32_t y = 0; y < cy; ++y) {
    row.clear();
    int32_t x = 0;
    while (x < cx) {
      while (x < cx && !isOpaque(x, y)) ++x;
      const int32_t start = x;
      while (x < cx && isOpaque(x, y)) ++x;
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

bool Opaque(const FramePart& part, int32_t x, int32_t y) {
  return (reinterpret_cast<const uint32_t*>(part.image->constScanLine(part.y + y))[part.x + x] >> 24) != 0;
}

std::vector<xcb_rectangle_t> OpaqueBands(const FramePart& part) {
  return Bands(part.cx, part.cy, [&part](int32_t x, int32_t y) { return Opaque(part, x, y); });
}

bool SameBands(const std::vector<xcb_rectangle_t>* now, const std::vector<xcb_rectangle_t>& bands) {
  return now != nullptr && std::equal(bands.begin(), bands.end(), now->begin(), now->end(),
                                      [](const xcb_rectangle_t& a, const xcb_rectangle_t& b) {
                                        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
                                      });
}

// The opaque pixels of every frame of one strip a window has shown: with a
// compositing manager, the window's outline. It changes only when a frame
// reaches past it, so the window manager's frame and the compositing
// manager's copy of the window keep one outline while the sprite stands.
struct Reach {
  qint64 strip = 0;
  int32_t cx = 0, cy = 0;
  std::vector<uint8_t> opaque;  // cx * cy
  std::set<FramePart> within;
  std::vector<xcb_rectangle_t> bands;

  // Takes the part in; true when the outline is new or larger.
  bool Take(const FramePart& part) {
    const bool fresh = strip != part.strip || cx != part.cx || cy != part.cy;
    if (fresh) {
      *this = Reach{part.strip, part.cx, part.cy, std::vector<uint8_t>(size_t(part.cx) * size_t(part.cy)), {}, {}};
    }
    if (!within.insert(part).second) return false;
    bool grown = false;
    for (int32_t y = 0; y < cy; ++y) {
      for (int32_t x = 0; x < cx; ++x) {
        uint8_t& here = opaque[size_t(y) * size_t(cx) + size_t(x)];
        if (here == 0 && Opaque(part, x, y)) here = 1, grown = true;
      }
    }
    if (!fresh && !grown) return false;
    bands = Bands(cx, cy, [this](int32_t x, int32_t y) { return opaque[size_t(y) * size_t(cx) + size_t(x)] != 0; });
    return true;
  }
};

}  // namespace

class Layered {
 public:
  std::map<FramePart, std::vector<xcb_rectangle_t>> made;
  const std::vector<xcb_rectangle_t>* outline = nullptr;  // the shown part's, made
  Reach reach;
  // What was learned of the window, once: Qt's choice of the events it
  // hears of, and whether it takes a frame's pixels as they are.
  WindowId window = XCB_NONE;
  uint32_t eventMask = 0;
  uint8_t depth = 0;
  bool takesFramePixels = false;
  xcb_gcontext_t context = XCB_NONE;
  std::vector<uint32_t> rows;  // the rows of one upload, kept for the next
  // The strips of the frames shown lately, each put into a pixmap on the
  // server once: a new frame is then a copy the server makes, not the
  // frame's pixels sent. The most recently shown first.
  struct ServerStrip {
    qint64 number = 0;
    xcb_pixmap_t pixmap = XCB_NONE;
  };
  std::vector<ServerStrip> strips;
  qint64 refusedNumber = 0;  // a strip the server has no room for
};

namespace {

// A drifting sprite turns between its four ways' strips and its own.
constexpr size_t kKeptStrips = 6;

// What the window had on the server: its drawing context and its strips.
void FreeOnServer(xcb_connection_t* connection, Layered& layered) {
  if (layered.context != XCB_NONE) xcb_free_gc(connection, layered.context);
  layered.context = XCB_NONE;
  for (const Layered::ServerStrip& strip : layered.strips) xcb_free_pixmap(connection, strip.pixmap);
  layered.strips.clear();
  layered.refusedNumber = 0;
}

}  // namespace

void LayeredDeleter::operator()(Layered* layered) const {
  if (xcb_connection_t* connection = Connection()) FreeOnServer(connection, *layered);
  delete layered;
}

namespace {

// The window's pixels are 32-bit words in the machine's order, red, green and
// blue where a premultiplied frame has them (and alpha in the top byte where
// the window has it): a frame's rows go to the server as they are.
bool TakesFramePixels(xcb_connection_t* connection, uint8_t depth, xcb_visualid_t visual) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || (depth != 24 && depth != 32)) return false;
  bool wordPixels = false;
  for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem != 0; xcb_format_next(&format)) {
    if (format.data->depth == depth) wordPixels = format.data->bits_per_pixel == 32;
  }
  if (!wordPixels) return false;
  for (auto screen = xcb_setup_roots_iterator(setup); screen.rem != 0; xcb_screen_next(&screen)) {
    for (auto depths = xcb_screen_allowed_depths_iterator(screen.data); depths.rem != 0; xcb_depth_next(&depths)) {
      for (auto type = xcb_depth_visuals_iterator(depths.data); type.rem != 0; xcb_visualtype_next(&type)) {
        if (type.data->visual_id != visual) continue;
        return depths.data->depth == depth && type.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
               type.data->red_mask == 0xFF0000 && type.data->green_mask == 0xFF00 && type.data->blue_mask == 0xFF;
      }
    }
  }
  return false;
}

// Asks the server about the window the first time the program draws or cuts it.
Layered& Learn(xcb_connection_t* connection, WindowId window, LayeredState& state) {
  if (state == nullptr) state.reset(new Layered);
  Layered& layered = *state;
  if (layered.window == window) return layered;
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
  xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  // A window made anew has no outline yet.
  layered.window = window;
  layered.outline = nullptr;
  layered.reach = Reach{};
  layered.eventMask = attributes != nullptr ? attributes->your_event_mask : 0;
  layered.depth = geometry != nullptr ? geometry->depth : 0;
  layered.takesFramePixels =
      attributes != nullptr && geometry != nullptr && TakesFramePixels(connection, geometry->depth, attributes->visual);
  std::free(attributes);
  std::free(geometry);
  FreeOnServer(connection, layered);
  if (layered.takesFramePixels) {
    layered.context = xcb_generate_id(connection);
    const uint32_t noExposures = 0;
    xcb_create_gc(connection, layered.context, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  }
  return layered;
}

}  // namespace

bool Connected() { return Connection() != nullptr; }

void FlushRequests() {
  if (xcb_connection_t* connection = Connection()) xcb_flush(connection);
}

bool DisplayLost() {
  xcb_connection_t* connection = Connection();
  return connection != nullptr && xcb_connection_has_error(connection) != 0;
}

bool CompositorRunning() {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return false;
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

// A window manager is asked for a mapped window, and the property is written
// for one not yet mapped (Qt keeps what it finds there when it maps the
// window) or with no window manager to write it.
void SetStates(WindowId window, bool mapped, bool on, std::initializer_list<std::string_view> names) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  static const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  std::vector<xcb_atom_t> changed;
  for (const std::string_view name : names) changed.push_back(Atom(connection, name));
  if (mapped) {
    // Add or remove, up to two states, asked by an application.
    AskWindowManager(connection, window, state,
                     {on ? 1u : 0u, changed.size() > 0 ? changed[0] : 0, changed.size() > 1 ? changed[1] : 0, 1});
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

void CancelManagerMove(WindowId window) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  // _NET_WM_MOVERESIZE_CANCEL (11) with the first button, asked by an application.
  AskWindowManager(connection, window, Atom(connection, "_NET_WM_MOVERESIZE"), {0, 0, 11, 1, 1});
}

void MoveWindow(WindowId window, QPoint topLeft) {
  const uint32_t place[] = {uint32_t(topLeft.x()), uint32_t(topLeft.y())};
  xcb_configure_window(Connection(), window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
}

std::optional<QRect> ConfigureNotice(const void* event, WindowId window) {
  const auto* generic = static_cast<const xcb_generic_event_t*>(event);
  if ((generic->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return std::nullopt;
  const auto* notice = static_cast<const xcb_configure_notify_event_t*>(event);
  if (notice->window != window) return std::nullopt;
  return QRect(notice->x, notice->y, notice->width, notice->height);
}

namespace {

void SetShape(xcb_connection_t* connection, const Layered& layered, xcb_shape_kind_t kind,
              const std::vector<xcb_rectangle_t>& bands) {
  // The server would expose what a new outline uncovers, and Qt would answer
  // by drawing the window again: the frame put after the outline covers it
  // already.
  const uint32_t quiet = layered.eventMask & ~uint32_t{XCB_EVENT_MASK_EXPOSURE};
  const bool mute = kind == XCB_SHAPE_SK_BOUNDING && quiet != layered.eventMask;
  if (mute) xcb_change_window_attributes(connection, layered.window, XCB_CW_EVENT_MASK, &quiet);
  xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, kind, XCB_CLIP_ORDERING_YX_BANDED, layered.window, 0, 0,
                       static_cast<uint32_t>(bands.size()), bands.data());
  if (mute) xcb_change_window_attributes(connection, layered.window, XCB_CW_EVENT_MASK, &layered.eventMask);
}

}  // namespace

bool SetOutline(WindowId window, LayeredState& state, const FramePart& part) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return false;
  Layered& layered = Learn(connection, window, state);
  auto found = layered.made.find(part);
  if (found == layered.made.end()) found = layered.made.emplace(part, OpaqueBands(part)).first;
  const std::vector<xcb_rectangle_t>& bands = found->second;
  const bool same = SameBands(layered.outline, bands);
  layered.outline = &bands;
  if (!CompositorRunning()) {
    if (!same) SetShape(connection, layered, XCB_SHAPE_SK_BOUNDING, bands);
    return true;
  }
  // NOTE: an outline, not only the clicks' shape: a window manager gives its
  // frame the outline of the window, and a frame without one would take the
  // clicks on the transparent pixels. Where a compositing manager keeps an
  // old outline a moment longer, the pixels a frame gave up would show
  // black; the strip's outline holds them, transparent.
  if (layered.reach.Take(part)) SetShape(connection, layered, XCB_SHAPE_SK_BOUNDING, layered.reach.bands);
  if (!same) SetShape(connection, layered, XCB_SHAPE_SK_INPUT, bands);
  return true;
}

namespace {

// Sends the source rectangle of the image to the drawable at `to`, as many
// rows to one request as the server takes (a plain upload: no shared memory,
// whose reuse would wait for the server to finish reading); false where one
// row is more than a request holds.
bool PutRows(xcb_connection_t* connection, Layered& layered, xcb_drawable_t drawable, const QImage& image,
             const QRect& source, QPoint to) {
  constexpr uint32_t kHeader = 24;
  const uint64_t most = std::min<uint64_t>(uint64_t{xcb_get_maximum_request_length(connection)} * 4, 1u << 18);
  const uint64_t rowBytes = uint64_t(source.width()) * 4;
  if (rowBytes + kHeader > most) return false;
  const int32_t rowsPerPut = static_cast<int32_t>(std::min<uint64_t>((most - kHeader) / rowBytes, source.height()));
  layered.rows.resize(size_t(source.width()) * size_t(rowsPerPut));
  for (int32_t done = 0; done < source.height(); done += rowsPerPut) {
    const int32_t count = std::min(rowsPerPut, source.height() - done);
    for (int32_t row = 0; row < count; ++row) {
      const auto* from = reinterpret_cast<const uint32_t*>(image.constScanLine(source.top() + done + row));
      std::copy_n(from + source.left(), source.width(), layered.rows.data() + size_t(row) * size_t(source.width()));
    }
    xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, layered.context, uint16_t(source.width()),
                  uint16_t(count), int16_t(to.x()), int16_t(to.y() + done), 0, layered.depth,
                  uint32_t(rowBytes * uint64_t(count)), reinterpret_cast<const uint8_t*>(layered.rows.data()));
  }
  return true;
}

// The pixmap on the server that holds the part's strip, put there now if it
// was not; none where it cannot be (too large a pixmap, or the server has no
// room).
xcb_pixmap_t StripOnServer(xcb_connection_t* connection, Layered& layered, const FramePart& part) {
  std::vector<Layered::ServerStrip>& strips = layered.strips;
  const auto kept = std::find_if(strips.begin(), strips.end(),
                                 [&part](const Layered::ServerStrip& strip) { return strip.number == part.strip; });
  if (kept != strips.end()) {
    std::rotate(strips.begin(), kept, kept + 1);
    return strips.front().pixmap;
  }
  if (layered.refusedNumber == part.strip) return XCB_NONE;
  constexpr int64_t kMostBytes = int64_t{16} << 20;
  const QImage& image = *part.image;
  if (image.width() > INT16_MAX || image.height() > INT16_MAX ||
      int64_t(image.width()) * int64_t(image.height()) * 4 > kMostBytes) {
    layered.refusedNumber = part.strip;
    return XCB_NONE;
  }
  const xcb_pixmap_t pixmap = xcb_generate_id(connection);
  xcb_generic_error_t* error = xcb_request_check(
      connection, xcb_create_pixmap_checked(connection, layered.depth, pixmap, layered.window, uint16_t(image.width()),
                                            uint16_t(image.height())));
  if (error != nullptr || !PutRows(connection, layered, pixmap, image, image.rect(), QPoint(0, 0))) {
    if (error == nullptr) xcb_free_pixmap(connection, pixmap);
    std::free(error);
    layered.refusedNumber = part.strip;
    return XCB_NONE;
  }
  if (strips.size() == kKeptStrips) {
    xcb_free_pixmap(connection, strips.back().pixmap);
    strips.pop_back();
  }
  strips.insert(strips.begin(), Layered::ServerStrip{part.strip, pixmap});
  return pixmap;
}

}  // namespace

bool PutFrame(WindowId window, LayeredState& state, const FramePart& part, QRect area) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr || part.image == nullptr) return false;
  Layered& layered = Learn(connection, window, state);
  if (!layered.takesFramePixels) return false;
  area &= QRect(0, 0, part.cx, part.cy);
  if (area.isEmpty()) return true;
  if (const xcb_pixmap_t strip = StripOnServer(connection, layered, part); strip != XCB_NONE) {
    xcb_copy_area(connection, strip, window, layered.context, int16_t(part.x + area.left()),
                  int16_t(part.y + area.top()), int16_t(area.left()), int16_t(area.top()), uint16_t(area.width()),
                  uint16_t(area.height()));
    return true;
  }
  return PutRows(connection, layered, window, *part.image, area.translated(part.x, part.y), area.topLeft());
}

std::optional<QRect> ExposeNotice(const void* event, WindowId window) {
  const auto* generic = static_cast<const xcb_generic_event_t*>(event);
  if ((generic->response_type & 0x7F) != XCB_EXPOSE) return std::nullopt;
  const auto* notice = static_cast<const xcb_expose_event_t*>(event);
  if (notice->window != window) return std::nullopt;
  return QRect(notice->x, notice->y, notice->width, notice->height);
}

}  // namespace qt::x11
