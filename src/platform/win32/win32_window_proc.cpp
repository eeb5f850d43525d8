#include "win32_window_proc.h"

#include "platform/wnd.h"

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
