#include "win32_windows.h"

#include "win32_monitors.h"

#include "platform/monitors.h"

namespace {

// Per-monitor scaling came with Windows 8.1 (shcore) and Windows 10 (user32);
// older systems have one system-wide scale.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

GetDpiForMonitorFn MonitorDpiFunction() {
  static const auto function = [] {
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore != nullptr
               ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
               : nullptr;
  }();
  return function;
}

GetDpiForWindowFn WindowDpiFunction() {
  static const auto function = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

int32_t MonitorDpi(HMONITOR monitor) {
  UINT x = 0;
  UINT y = 0;
  const GetDpiForMonitorFn function = MonitorDpiFunction();
  if (function != nullptr && SUCCEEDED(function(monitor, kEffectiveDpi, &x, &y)) && x > 0) {
    return static_cast<int32_t>(x);
  }
  return win32::SystemDpi();
}

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  // The system's enumeration cannot unwind an exception: stop it instead.
  try {
    reinterpret_cast<std::vector<MonitorInfo>*>(list)->push_back(
        {ToRect(info.rcMonitor), ToRect(info.rcWork), MonitorDpi(monitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

namespace platform {

std::vector<MonitorInfo> Monitors() {
  std::vector<MonitorInfo> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

int32_t WindowDpi(WindowHandle window) {
  HWND hwnd = static_cast<HWND>(window);
  const GetDpiForWindowFn function = WindowDpiFunction();
  if (function != nullptr && hwnd != nullptr) {
    const UINT dpi = function(hwnd);
    if (dpi > 0) return static_cast<int32_t>(dpi);
  }
  if (hwnd != nullptr) return MonitorDpi(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
  return win32::SystemDpi();
}

}  // namespace platform

namespace win32 {

int32_t SystemDpi() {
  // Fixed for the session: the system scale changes only at the next sign-in.
  static const int32_t dpi = [] {
    HDC screen = GetDC(nullptr);
    const int caps = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return caps > 0 ? caps : kDefaultDpi;
  }();
  return dpi;
}

}  // namespace win32
