#include <QApplication>
#include <QPointer>
#include <QSystemTrayIcon>

#include "platform/soft/soft_world.h"
#include "platform/tray.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "qt_world.h"

// Qt docks the icon into the desktop's tray (a StatusNotifierItem host, or
// an XEmbed tray such as trayer) and brings it back when a tray appears.
namespace {

// Owned by the application object, so that it goes with it however the
// program ends.
QPointer<QSystemTrayIcon> trayIcon;
WindowHandle trayOwner = nullptr;

// Clicks reach the owner as the shell's callback message does on Windows.
void Notify(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger) soft::Post(trayOwner, wm::kTrayNotify, 0, wm::kLButtonUp);
  if (reason == QSystemTrayIcon::Context) soft::Post(trayOwner, wm::kTrayNotify, 0, wm::kRButtonUp);
}

}  // namespace

namespace platform {

bool TrayAvailable() { return trayIcon != nullptr && QSystemTrayIcon::isSystemTrayAvailable(); }

void ShowTrayIcon(CWnd& owner, const std::wstring& tip) {
  trayOwner = owner.GetSafeHwnd();
  if (trayIcon == nullptr) {
    trayIcon = new QSystemTrayIcon(QApplication::windowIcon(), qApp);
    QObject::connect(trayIcon, &QSystemTrayIcon::activated, Notify);
  }
  trayIcon->setToolTip(qt::ToQString(tip));
  trayIcon->show();
}

void RemoveTrayIcon() {
  delete trayIcon;
  trayOwner = nullptr;
}

}  // namespace platform
