#include "win32_tray.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>
#include <string>

#include "platform/tray.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"

namespace {

constexpr UINT kIconId = 1;
// How long after an add a question whether the icon is seen waits for it.
constexpr DWORD kDockingMs = 1000;

struct Tray {
  HWND owner = nullptr;
  std::wstring tip;
  HICON icon = nullptr;
  bool added = false;  // the shell took the icon
  DWORD addedAt = 0;
};

Tray& TheTray() {
  static Tray tray;
  return tray;
}

NOTIFYICONDATAW IconData(const Tray& tray) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = tray.owner;
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = wm::kTrayNotify;
  data.hIcon = tray.icon;
  tray.tip.copy(data.szTip, std::size(data.szTip) - 1);
  return data;
}

BOOL CALLBACK FindTrayIcon(HWND window, LPARAM found) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if (std::wcscmp(name, L"__winex11_tray_icon") == 0 || std::wcscmp(name, L"__wine_tray_icon") == 0) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

bool Shown(const wchar_t* windowClass) {
  HWND window = FindWindowW(windowClass, nullptr);
  return window != nullptr && IsWindowVisible(window);
}

// NOTE: Wine shows a tray window of its own only where the X desktop has no
// tray (or not at all, when told so); where it has one, each icon's window
// is docked inside the tray's X window, which Wine knows as a foreign
// window. Later versions renamed the classes.
bool DockedInXTray() {
  bool found = false;
  for (HWND tray = nullptr; !found && (tray = FindWindowExW(nullptr, tray, L"__wine_x11_foreign_window", nullptr));) {
    EnumChildWindows(tray, FindTrayIcon, reinterpret_cast<LPARAM>(&found));
  }
  return found;
}

void Add(Tray& tray) {
  NOTIFYICONDATAW data = IconData(tray);
  tray.added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  tray.addedAt = GetTickCount();
}

}  // namespace

namespace platform {

bool TrayAvailable() {
  // A taskbar that went away took the icon with it; its successor gets it again.
  const Tray& tray = TheTray();
  if (!tray.added) return false;
  // NOTE: Wine docks the icon into the X tray a moment after the add.
  for (;;) {
    if (Shown(L"Shell_TrayWnd") || Shown(L"__winex11_standalone_tray") || DockedInXTray()) return true;
    if (GetTickCount() - tray.addedAt >= kDockingMs) return false;
    ::Sleep(20);
  }
}

void ShowTrayIcon(CWnd& owner, const std::wstring& tip) {
  Tray& tray = TheTray();
  HWND hwnd = static_cast<HWND>(owner.GetSafeHwnd());
  if (tray.owner != hwnd) RemoveTrayIcon();
  tray.owner = hwnd;
  tray.tip = tip;
  if (tray.icon == nullptr) {
    tray.icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KITEMARU), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  }
  if (tray.added) {
    NOTIFYICONDATAW data = IconData(tray);
    if (Shell_NotifyIconW(NIM_MODIFY, &data)) return;
  }
  Add(tray);
}

void RemoveTrayIcon() {
  Tray& tray = TheTray();
  if (tray.added) {
    NOTIFYICONDATAW data = IconData(tray);
    Shell_NotifyIconW(NIM_DELETE, &data);
  }
  tray.added = false;
  tray.owner = nullptr;
}

}  // namespace platform

namespace win32 {

void TrayWindowMessage(HWND hwnd, UINT message) {
  static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  Tray& tray = TheTray();
  if (taskbarCreated != 0 && message == taskbarCreated && hwnd == tray.owner) Add(tray);
}

}  // namespace win32
