#pragma once
// The notification-area (tray) icon: the program's icon with a tooltip. A
// click on it and a request for its menu reach the owner window as
// wm::kTrayNotify, lParam the mouse message as the shell reports it
// (wm::kLButtonUp, wm::kRButtonUp), and from there CWnd's tray handlers.
#include <string>

class CWnd;

namespace platform {

// Whether the desktop shows a tray now, so that the icon is seen and can
// be clicked. Trays come and go with the desktop's panels.
bool TrayAvailable();
// Adds the icon for owner, or changes its tooltip; where no tray exists it
// comes when one does. One icon for the process.
void ShowTrayIcon(CWnd& owner, const std::wstring& tip);
void RemoveTrayIcon();

}  // namespace platform
