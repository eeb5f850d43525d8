#pragma once
// Popup menus built from the menu templates and at run time.
#include <cstdint>
#include <string>

#include "geometry.h"

class CWnd;

struct MenuItemInfo {
  uint32_t id = 0;  // 0 for separators and submenus
  std::wstring text;
  bool checked = false;
  bool radio = false;
  bool separator = false;
  bool submenu = false;
  bool disabled = false;  // shown grey; choosing it sends no command
};

class CMenu {
 public:
  CMenu() = default;
  ~CMenu() { DestroyMenu(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
  CMenu(CMenu&& other) noexcept;
  CMenu& operator=(CMenu&& other) noexcept;

  bool CreatePopupMenu();
  // Builds the menu of a menu template (130, 131).
  bool LoadMenu(uint32_t resourceId);
  // A view of a submenu: it does not own it.
  CMenu GetSubMenu(int position) const;
  bool AppendMenu(uint32_t id, const std::wstring& text);
  // Inserts popup at position, by position. The receiving menu owns the popup
  // from then on; the popup object keeps a view for later changes.
  bool InsertPopup(int position, CMenu& popup, const std::wstring& text);
  // By position: a string item, or a separator.
  bool InsertItem(int position, uint32_t id, const std::wstring& text);
  bool InsertSeparator(int position);
  // By command: relabel a string item.
  bool ModifyMenu(uint32_t id, const std::wstring& text);
  // By position: removes the item, destroying a submenu it opens.
  bool DeleteMenu(int position);
  bool CheckMenuRadioItem(uint32_t first, uint32_t last, uint32_t check);
  bool CheckMenuItem(uint32_t id, bool checked);
  // A disabled item is shown grey and cannot be chosen; a disabled submenu
  // does not open. By command, or (for submenus, which have none) by position.
  bool EnableMenuItem(uint32_t id, bool enabled);
  bool EnableMenuItemAt(int position, bool enabled);
  // Tracks the menu at a point, left and top edges there, selection with the
  // left button; the chosen command goes to owner as WM_COMMAND.
  bool TrackPopupMenu(Point at, CWnd* owner) const;
  bool DestroyMenu();

  int GetItemCount() const;
  MenuItemInfo GetItem(int position) const;
  // Searches submenus too; false if no item has the id.
  bool FindItem(uint32_t id, MenuItemInfo& item) const;
  void* Handle() const { return handle; }

 private:
  void* handle = nullptr;
  bool owned = false;
};
