#pragma once
// Menus as a plain tree, for backends whose window system builds a menu only
// while it is shown; CMenu's handle points at a MenuNode.
#include <memory>
#include <vector>

#include "platform/menu.h"

namespace posix {

struct MenuNode;

struct MenuEntry {
  MenuItemInfo info;
  std::unique_ptr<MenuNode> submenu;
};

struct MenuNode {
  std::vector<MenuEntry> items;
};

// Whether the user could choose command id: an enabled item reached through
// enabled submenus only.
bool Choosable(const MenuNode& node, uint32_t id);

// The backend's say before a menu is made: true when it is to be refused
// (the headless backend refuses on request).
bool MenuRefused();

}  // namespace posix
