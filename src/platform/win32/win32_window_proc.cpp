#include "win32_window_proc.h"

#include <windowsx.h>

#include "platform/wnd.h"
#include "win32_tray.h"

namespace win32 {
namespace {

CreateStruct ToCreateStruct(const CREATESTRUCTW& native, const void* param) {
  CreateStruct cs;
  cs.exStyle = native.dwExStyle;
  // A class given by atom has no name to report.
  if (!IS_INTRESOURCE(native.lpszClass)) cs.className = native.lpszClass;
  if (native.lpszName != nullptr) cs.title = native.lpszName;
  cs.style = static_cast<uint32_t>(native.style);
  cs.rect = {native.x, native.y, native.x + native.cx, native.y + native.cy};
  cs.param = param;
  return cs;
}

// NOTE: a window without a caption is dragged by its body: it posts itself
// a caption press. Under a window manager the system's move would take the
// pointer at once, and the second click of a double-click would never
// arrive; so the move starts only once the pointer has left the drag
// rectangle around the press with the button held, and a click stays a click.
// The pointer's way out of the rectangle is made up before the move
// starts, so the window stays under the pointer where it was grabbed.
bool StartsBodyDrag(HWND hwnd) {
  if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) return true;
  // A click already over is no drag, and DragDetect would wait for the next one.
  const int button = GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
  if ((GetAsyncKeyState(button) & 0x8000) == 0) return false;
  const DWORD packed = GetMessagePos();
  const POINT pressed{GET_X_LPARAM(packed), GET_Y_LPARAM(packed)};
  if (!DragDetect(hwnd, pressed)) return false;
  POINT now{};
  RECT rect{};
  if (GetCursorPos(&now) && GetWindowRect(hwnd, &rect)) {
    SetWindowPos(hwnd, nullptr, rect.left + now.x - pressed.x, rect.top + now.y - pressed.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* native = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* context = static_cast<const CreationContext*>(native->lpCreateParams);
    if (context != nullptr && context->window != nullptr) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context->window));
      context->window->Attach(hwnd);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  // Messages before WM_NCCREATE (WM_GETMINMAXINFO) find no object yet.
  auto* window = reinterpret_cast<CWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  win32::TrayWindowMessage(hwnd, message);

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    window->Detach();
    // May delete the object: nothing of it is touched afterwards.
    window->PostNcDestroy();
    return result;
  }

  intptr_t result = 0;
  if (message == WM_CREATE) {
    const auto* native = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* context = static_cast<const CreationContext*>(native->lpCreateParams);
    const CreateStruct cs = ToCreateStruct(*native, context->param);
    window->Dispatch(message, wParam, reinterpret_cast<intptr_t>(&cs), result);
    return result;
  }

  if (message == WM_DPICHANGED) {
    const auto* native = reinterpret_cast<const RECT*>(lParam);
    const Rect suggested{native->left, native->top, native->right, native->bottom};
    window->Dispatch(message, wParam, reinterpret_cast<intptr_t>(&suggested), result);
    return result;
  }

  // The handler may destroy the window and delete the object.
  if (window->Dispatch(message, wParam, lParam, result)) return result;
  if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION && !StartsBodyDrag(hwnd)) return 0;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

// No exception may cross into the system's code, which cannot unwind it: a
// throwing handler fails its message (a creation is refused) and the
// program goes on.
LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return Route(hwnd, message, wParam, lParam);
  } catch (...) {
    return message == WM_CREATE ? -1 : 0;
  }
}

}  // namespace win32
