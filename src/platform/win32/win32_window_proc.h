#pragma once
// Shared between the window files of the Win32 backend only.
#include "win32_windows.h"

class CWnd;

namespace win32 {

// What CWnd::CreateEx hands to CreateWindowExW as lpCreateParams.
struct CreationContext {
  CWnd* window;
  const void* param;
};

// The procedure of every class that RegisterWindowClass registers.
LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

inline HWND Native(const void* handle) { return static_cast<HWND>(const_cast<void*>(handle)); }

}  // namespace win32
