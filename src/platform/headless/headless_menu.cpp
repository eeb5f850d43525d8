#include "headless_world.h"
#include "platform/menu.h"
#include "platform/posix/menu_tree.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"

bool CMenu::TrackPopupMenu(Point, CWnd* owner) const {
  auto& world = headless::detail::TheWorld();
  if (handle == nullptr || owner == nullptr) return false;
  const uint32_t chosen = world.menuResponder ? world.menuResponder(*this, owner) : 0;
  // As on screen, a grey item or anything in a grey submenu cannot be chosen.
  if (chosen != 0 && posix::Choosable(*static_cast<const posix::MenuNode*>(handle), chosen)) {
    owner->PostMessage(wm::kCommand, chosen, 0);
  }
  return true;
}

bool posix::MenuRefused() { return headless::detail::Refused(headless::Resource::Menu); }
