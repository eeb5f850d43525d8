#include "headless_world.h"
#include "platform/tray.h"
#include "platform/win_constants.h"

using headless::detail::TheWorld;

namespace platform {

bool TrayAvailable() { return TheWorld().trayPresent; }

void ShowTrayIcon(CWnd& owner, const std::wstring& tip) {
  TheWorld().trayOwner = owner.GetSafeHwnd();
  TheWorld().trayTip = tip;
}

void RemoveTrayIcon() {
  TheWorld().trayOwner = nullptr;
  TheWorld().trayTip.clear();
}

}  // namespace platform

namespace headless {

void SetTrayPresent(bool present) { TheWorld().trayPresent = present; }

TrayIconState TrayIcon() {
  const auto& world = TheWorld();
  const bool shown = world.trayPresent && world.trayOwner != nullptr;
  return {shown, shown ? world.trayTip : std::wstring(), shown ? world.trayOwner : nullptr};
}

bool ClickTrayIcon(uint32_t mouseMessage) {
  const TrayIconState icon = TrayIcon();
  if (!icon.shown) return false;
  Post(icon.owner, wm::kTrayNotify, 0, mouseMessage);
  return true;
}

}  // namespace headless
