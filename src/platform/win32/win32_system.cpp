#include "win32_windows.h"
#include <commctrl.h>
#include <mmsystem.h>
#include <ole2.h>
#include <shellapi.h>

#include "platform/system.h"
#include "res/resource_ids.h"
#include "res/resources.h"

namespace platform {

uint32_t TimeGetTime() { return timeGetTime(); }

void Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Point CursorPos() {
  POINT at{};
  GetCursorPos(&at);
  return {at.x, at.y};
}

Rect WindowRect(WindowHandle window) {
  RECT r{};
  GetWindowRect(static_cast<HWND>(window), &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool IsKeyDown(uint32_t virtualKey) { return (GetKeyState(static_cast<int>(virtualKey)) & 0x8000) != 0; }

std::wstring ExecutablePath() {
  // 1024 characters hold any ordinary path; a longer one is read whole
  // rather than cut, since a cut path names another folder.
  for (DWORD capacity = 1024; capacity <= 32768; capacity *= 2) {
    std::wstring path(capacity, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) {
      path.resize(length);
      return path;
    }
  }
  return {};
}

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::vector<std::wstring> result(arguments + (count > 0 ? 1 : 0), arguments + count);
  LocalFree(arguments);
  return result;
}

bool InitSystemServices() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = 0xFF;
  InitCommonControlsEx(&controls);
  return SUCCEEDED(OleInitialize(nullptr));
}

void MessageBoxFromResource(uint32_t stringId, const std::vector<std::wstring>& fills) {
  const std::wstring text = FormatString(stringId, fills);
  const wchar_t* caption = FindString(IDS_APP_NAME);
  MessageBoxW(nullptr, text.c_str(), caption != nullptr ? caption : L"", MB_OK);
}

}  // namespace platform
