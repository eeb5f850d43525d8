#include "menu_tree.h"
#include "res/resources.h"

using posix::MenuEntry;
using posix::MenuNode;

namespace {

MenuNode* Node(void* handle) { return static_cast<MenuNode*>(handle); }

MenuEntry* FindEntry(MenuNode* node, uint32_t id, MenuNode** container = nullptr) {
  if (node == nullptr) return nullptr;
  for (auto& entry : node->items) {
    if (!entry.info.submenu && !entry.info.separator && entry.info.id == id) {
      if (container != nullptr) *container = node;
      return &entry;
    }
    if (MenuEntry* inner = FindEntry(entry.submenu.get(), id, container)) return inner;
  }
  return nullptr;
}

}  // namespace

bool posix::Choosable(const MenuNode& node, uint32_t id) {
  for (const auto& entry : node.items) {
    if (entry.info.disabled || entry.info.separator) continue;
    if (entry.submenu != nullptr ? Choosable(*entry.submenu, id) : entry.info.id == id) return true;
  }
  return false;
}

bool CMenu::CreatePopupMenu() {
  DestroyMenu();
  if (posix::MenuRefused()) return false;
  handle = new MenuNode;
  owned = true;
  return true;
}

bool CMenu::LoadMenu(uint32_t resourceId) {
  const auto entries = FindMenuTemplate(resourceId);
  if (entries.empty() || !CreatePopupMenu()) return false;
  std::vector<MenuNode*> open{Node(handle)};
  for (const auto& item : entries) {
    MenuNode* parent = open.back();
    switch (item.kind) {
      case MenuItemKind::Item:
      case MenuItemKind::RadioItem:
        parent->items.push_back({MenuItemInfo{item.id, item.text, false, false, false, false}, nullptr});
        break;
      case MenuItemKind::Separator:
        parent->items.push_back({MenuItemInfo{0, L"", false, false, true, false}, nullptr});
        break;
      case MenuItemKind::BeginPopup:
        parent->items.push_back({MenuItemInfo{0, item.text, false, false, false, true}, std::make_unique<MenuNode>()});
        open.push_back(parent->items.back().submenu.get());
        break;
      case MenuItemKind::EndPopup:
        if (open.size() > 1) open.pop_back();
        break;
    }
  }
  return true;
}

CMenu CMenu::GetSubMenu(int position) const {
  CMenu view;
  MenuNode* node = Node(handle);
  if (node != nullptr && position >= 0 && position < static_cast<int>(node->items.size())) {
    view.handle = node->items[position].submenu.get();
  }
  return view;
}

bool CMenu::AppendMenu(uint32_t id, const std::wstring& text) {
  if (handle == nullptr) return false;
  Node(handle)->items.push_back({MenuItemInfo{id, text, false, false, false, false}, nullptr});
  return true;
}

bool CMenu::InsertPopup(int position, CMenu& popup, const std::wstring& text) {
  MenuNode* node = Node(handle);
  if (node == nullptr || popup.handle == nullptr || !popup.owned) return false;
  if (position < 0 || position > static_cast<int>(node->items.size())) position = static_cast<int>(node->items.size());
  node->items.insert(node->items.begin() + position,
                     MenuEntry{MenuItemInfo{0, text, false, false, false, true},
                               std::unique_ptr<MenuNode>(Node(popup.handle))});
  popup.owned = false;
  return true;
}

namespace {

bool InsertEntry(MenuNode* node, int position, const MenuItemInfo& info) {
  if (node == nullptr) return false;
  if (position < 0 || position > static_cast<int>(node->items.size())) position = static_cast<int>(node->items.size());
  node->items.insert(node->items.begin() + position, MenuEntry{info, nullptr});
  return true;
}

}  // namespace

bool CMenu::InsertItem(int position, uint32_t id, const std::wstring& text) {
  return InsertEntry(Node(handle), position, MenuItemInfo{id, text, false, false, false, false});
}

bool CMenu::InsertSeparator(int position) {
  return InsertEntry(Node(handle), position, MenuItemInfo{0, L"", false, false, true, false});
}

bool CMenu::ModifyMenu(uint32_t id, const std::wstring& text) {
  MenuEntry* entry = FindEntry(Node(handle), id);
  if (entry == nullptr) return false;
  entry->info.text = text;
  return true;
}

bool CMenu::DeleteMenu(int position) {
  MenuNode* node = Node(handle);
  if (node == nullptr || position < 0 || position >= static_cast<int>(node->items.size())) return false;
  node->items.erase(node->items.begin() + position);
  return true;
}

bool CMenu::CheckMenuRadioItem(uint32_t first, uint32_t last, uint32_t check) {
  MenuNode* container = nullptr;
  if (FindEntry(Node(handle), check, &container) == nullptr) return false;
  for (auto& entry : container->items) {
    if (entry.info.submenu || entry.info.separator || entry.info.id < first || entry.info.id > last) continue;
    entry.info.checked = entry.info.id == check;
    entry.info.radio = entry.info.checked;
  }
  return true;
}

bool CMenu::CheckMenuItem(uint32_t id, bool checked) {
  MenuEntry* entry = FindEntry(Node(handle), id);
  if (entry == nullptr) return false;
  entry->info.checked = checked;
  entry->info.radio = false;
  return true;
}

bool CMenu::EnableMenuItem(uint32_t id, bool enabled) {
  MenuEntry* entry = FindEntry(Node(handle), id);
  if (entry == nullptr) return false;
  entry->info.disabled = !enabled;
  return true;
}

bool CMenu::EnableMenuItemAt(int position, bool enabled) {
  MenuNode* node = Node(handle);
  if (node == nullptr || position < 0 || position >= static_cast<int>(node->items.size())) return false;
  node->items[position].info.disabled = !enabled;
  return true;
}

bool CMenu::DestroyMenu() {
  if (owned) delete Node(handle);
  handle = nullptr;
  owned = false;
  return true;
}

int CMenu::GetItemCount() const {
  return handle != nullptr ? static_cast<int>(Node(handle)->items.size()) : -1;
}

MenuItemInfo CMenu::GetItem(int position) const {
  MenuNode* node = Node(handle);
  if (node == nullptr || position < 0 || position >= static_cast<int>(node->items.size())) return {};
  return node->items[position].info;
}

bool CMenu::FindItem(uint32_t id, MenuItemInfo& item) const {
  MenuEntry* entry = FindEntry(Node(handle), id);
  if (entry == nullptr) return false;
  item = entry->info;
  return true;
}
