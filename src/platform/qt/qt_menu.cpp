#include <QActionGroup>
#include <QMenu>

#include "platform/menu.h"
#include "platform/posix/menu_tree.h"
#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "qt_world.h"

namespace {

using posix::MenuNode;

// The menu as Qt shows it, made only while it is tracked. Radio items of one
// run share an exclusive group, which is what gives them their round mark.
void Build(QMenu& menu, const MenuNode& node) {
  QActionGroup* group = nullptr;
  for (const auto& entry : node.items) {
    const MenuItemInfo& info = entry.info;
    if (info.separator) {
      menu.addSeparator();
      group = nullptr;
    } else if (info.submenu && entry.submenu != nullptr) {
      QMenu* submenu = menu.addMenu(qt::ToQString(info.text));
      submenu->menuAction()->setEnabled(!info.disabled);
      Build(*submenu, *entry.submenu);
      group = nullptr;
    } else {
      QAction* action = menu.addAction(qt::ToQString(info.text));
      action->setData(QVariant::fromValue(info.id));
      action->setEnabled(!info.disabled);
      if (info.radio || info.checked) {
        action->setCheckable(true);
        action->setChecked(true);
      }
      if (info.radio) {
        if (group == nullptr) group = new QActionGroup(&menu);
        group->addAction(action);
      }
    }
  }
}

}  // namespace

bool CMenu::TrackPopupMenu(Point at, CWnd* owner) const {
  if (handle == nullptr || owner == nullptr) return false;
  QMenu menu;
  Build(menu, *static_cast<const MenuNode*>(handle));
  const QAction* chosen = menu.exec(QPoint(at.x, at.y));
  if (chosen != nullptr) owner->PostMessage(wm::kCommand, chosen->data().value<uint32_t>(), 0);
  return true;
}

bool posix::MenuRefused() { return false; }
