#include "main_frame.h"
#include "platform/tray.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "res/resources.h"

void CMainFrame::UpdateTrayIcon() {
  const wchar_t* tip = FindString(IDS_TRAY_TIP);
  platform::ShowTrayIcon(*this, tip != nullptr ? tip : L"");
}

void CMainFrame::OnMinimize() {
  if (platform::TrayAvailable()) ShowWindow(sw::kHide);
}

void CMainFrame::OnTrayIconClick() {
  if (IsWindowVisible() && !IsIconic()) {
    ShowWindow(sw::kHide);
  } else {
    ShowControlWindow();
  }
}

void CMainFrame::OnTrayIconMenu() { ShowControlMenu(true); }

void CMainFrame::ShowControlWindow() {
  // Restoring a maximised window that is on screen would shrink it.
  ShowWindow(IsIconic() ? sw::kRestore : sw::kShow);
  SetForegroundWindow();
}
