#include "headless_world.h"
#include "platform/win_constants.h"

namespace headless::detail {

Window::Window(CWnd* object, const CreateStruct& cs) : soft::Window(object, cs) {
  state.className = cs.className;
  state.title = cs.title;
}

bool Window::ShowFrame(Point topLeft, Size size, const FrameBitmap& source, Point from) {
  if (Refused(Resource::LayeredUpdate)) return false;
  SetRect(Rect{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy});
  state.layered = &source;
  state.layeredAt = topLeft;
  state.layeredSize = size;
  state.layeredFrom = from;
  ++state.layeredUpdates;
  return true;
}

void Window::PaintNow() { soft::Deliver(Handle(), wm::kPaint, 0, 0); }

}  // namespace headless::detail

namespace soft {

Window* MakeWindow(CWnd* object, const CreateStruct& cs, const WindowClass&) {
  if (headless::detail::Refused(headless::Resource::Window)) return nullptr;
  return new headless::detail::Window(object, cs);
}

}  // namespace soft
