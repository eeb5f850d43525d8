#include "win32_windows.h"

#include <cwchar>
#include <iterator>

#include "platform/wnd.h"
#include "win32_window_proc.h"

namespace {

HBRUSH ClassBrushHandle(ClassBrush brush) {
  switch (brush) {
    case ClassBrush::Black:
      return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    case ClassBrush::WindowColor:
      return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    case ClassBrush::None:
      break;
  }
  return nullptr;
}

}  // namespace

std::wstring RegisterWindowClass(const WindowClass& windowClass) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
  HBRUSH brush = ClassBrushHandle(windowClass.brush);
  HICON icon = windowClass.icon != 0 ? LoadIconW(instance, MAKEINTRESOURCEW(windowClass.icon)) : nullptr;

  std::wstring name = windowClass.name;
  if (name.empty()) {
    // The same arguments give the same handles, hence the same name and one class.
    wchar_t generated[96];
    std::swprintf(generated, std::size(generated), L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(instance),
                  windowClass.style, static_cast<void*>(cursor), static_cast<void*>(brush), static_cast<void*>(icon));
    name = generated;
  }

  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name.c_str(), &existing)) return name;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = windowClass.style;
  wc.lpfnWndProc = win32::WindowProcedure;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = cursor;
  wc.hbrBackground = brush;
  wc.lpszClassName = name.c_str();
  if (RegisterClassExW(&wc) == 0) return {};
  return name;
}
