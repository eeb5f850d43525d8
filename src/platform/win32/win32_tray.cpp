#include "win32_tray.h"

#include <shellapi.h>

#include <iterator>
#include <string>

#include "platform/tray.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"

namespace {

constexpr UINT kIconId = 1;

struct Tray {
  HWND owner = nullptr;
  std::wstring tip;
  HICON icon = nullptr;
  bool added = false;  // the shell took the icon
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

void Add(Tray& tray) {
  NOTIFYICONDATAW data = IconData(tray);
  tray.added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

}  // namespace

namespace platform {

bool TrayAvailable() {
  // A taskbar that went away took the icon with it; its successor gets it again.
  return TheTray().added && FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
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
