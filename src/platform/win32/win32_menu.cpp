#include "win32_windows.h"

#include <span>
#include <utility>

#include "platform/menu.h"
#include "platform/wnd.h"
#include "res/resources.h"

namespace {

HMENU Menu(void* handle) { return static_cast<HMENU>(handle); }

// Deeper nesting than any template needs is refused rather than overflowed.
constexpr int kMaxMenuDepth = 8;

// Appends the template's items to root; false on an unbalanced template.
bool BuildFromTemplate(HMENU root, std::span<const MenuTemplateItem> items) {
  HMENU stack[kMaxMenuDepth] = {root};
  int depth = 1;
  for (const MenuTemplateItem& item : items) {
    HMENU current = stack[depth - 1];
    const wchar_t* text = item.text != nullptr ? item.text : L"";
    switch (item.kind) {
      case MenuItemKind::Item:
      case MenuItemKind::RadioItem:
        if (!AppendMenuW(current, MF_STRING, item.id, text)) return false;
        break;
      case MenuItemKind::Separator:
        if (!AppendMenuW(current, MF_SEPARATOR, 0, nullptr)) return false;
        break;
      case MenuItemKind::BeginPopup: {
        if (depth == kMaxMenuDepth) return false;
        HMENU popup = CreatePopupMenu();
        if (popup == nullptr) return false;
        if (!AppendMenuW(current, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text)) {
          ::DestroyMenu(popup);
          return false;
        }
        stack[depth++] = popup;
        break;
      }
      case MenuItemKind::EndPopup:
        if (depth == 1) return false;
        --depth;
        break;
    }
  }
  return depth == 1;
}

MenuItemInfo ReadItem(HMENU menu, int position) {
  MenuItemInfo info;
  MENUITEMINFOW native{};
  native.cbSize = sizeof native;
  native.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &native)) return info;
  info.separator = (native.fType & MFT_SEPARATOR) != 0;
  info.submenu = native.hSubMenu != nullptr;
  info.checked = (native.fState & MFS_CHECKED) != 0;
  info.disabled = (native.fState & MFS_DISABLED) != 0;
  // NOTE: Wine leaves MFT_RADIOCHECK on items that CheckMenuRadioItem has
  // unchecked, Windows clears it; only a checked item shows the mark anyway.
  info.radio = info.checked && (native.fType & MFT_RADIOCHECK) != 0;
  info.id = info.separator || info.submenu ? 0 : native.wID;
  if (native.cch > 0) {
    info.text.resize(native.cch + 1);
    native.fMask = MIIM_STRING;
    native.dwTypeData = info.text.data();
    native.cch = static_cast<UINT>(info.text.size());
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &native)) native.cch = 0;
    info.text.resize(native.cch);
  }
  return info;
}

bool FindIn(HMENU menu, uint32_t id, MenuItemInfo& item) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (HMENU sub = GetSubMenu(menu, position)) {
      if (FindIn(sub, id, item)) return true;
      continue;
    }
    MenuItemInfo candidate = ReadItem(menu, position);
    if (!candidate.separator && candidate.id == id) {
      item = std::move(candidate);
      return true;
    }
  }
  return false;
}

}  // namespace

bool CMenu::CreatePopupMenu() {
  DestroyMenu();
  handle = ::CreatePopupMenu();
  owned = handle != nullptr;
  return owned;
}

bool CMenu::LoadMenu(uint32_t resourceId) {
  DestroyMenu();
  const std::span<const MenuTemplateItem> items = FindMenuTemplate(resourceId);
  if (items.empty()) return false;
  // A menu bar at the root, as a loaded menu resource has.
  HMENU root = CreateMenu();
  if (root == nullptr) return false;
  if (!BuildFromTemplate(root, items)) {
    ::DestroyMenu(root);
    return false;
  }
  handle = root;
  owned = true;
  return true;
}

CMenu CMenu::GetSubMenu(int position) const {
  CMenu view;
  if (handle != nullptr) view.handle = ::GetSubMenu(Menu(handle), position);
  return view;
}

bool CMenu::AppendMenu(uint32_t id, const std::wstring& text) {
  return handle != nullptr && AppendMenuW(Menu(handle), MF_STRING, id, text.c_str()) != FALSE;
}

bool CMenu::InsertPopup(int position, CMenu& popup, const std::wstring& text) {
  if (handle == nullptr || popup.handle == nullptr) return false;
  if (!InsertMenuW(Menu(handle), static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                   reinterpret_cast<UINT_PTR>(popup.handle), text.c_str())) {
    return false;
  }
  popup.owned = false;
  return true;
}

bool CMenu::InsertItem(int position, uint32_t id, const std::wstring& text) {
  return handle != nullptr &&
         InsertMenuW(Menu(handle), static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, id, text.c_str()) != FALSE;
}

bool CMenu::InsertSeparator(int position) {
  return handle != nullptr &&
         InsertMenuW(Menu(handle), static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr) != FALSE;
}

bool CMenu::ModifyMenu(uint32_t id, const std::wstring& text) {
  return handle != nullptr && ModifyMenuW(Menu(handle), id, MF_BYCOMMAND | MF_STRING, id, text.c_str()) != FALSE;
}

bool CMenu::DeleteMenu(int position) {
  return handle != nullptr && ::DeleteMenu(Menu(handle), static_cast<UINT>(position), MF_BYPOSITION) != FALSE;
}

bool CMenu::CheckMenuRadioItem(uint32_t first, uint32_t last, uint32_t check) {
  return handle != nullptr && ::CheckMenuRadioItem(Menu(handle), first, last, check, MF_BYCOMMAND) != FALSE;
}

bool CMenu::CheckMenuItem(uint32_t id, bool checked) {
  if (handle == nullptr) return false;
  const UINT flags = MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED);
  return ::CheckMenuItem(Menu(handle), id, flags) != static_cast<DWORD>(-1);
}

bool CMenu::EnableMenuItem(uint32_t id, bool enabled) {
  if (handle == nullptr) return false;
  const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
  return ::EnableMenuItem(Menu(handle), id, flags) != -1;
}

bool CMenu::EnableMenuItemAt(int position, bool enabled) {
  if (handle == nullptr) return false;
  const UINT flags = MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED);
  return ::EnableMenuItem(Menu(handle), static_cast<UINT>(position), flags) != -1;
}

bool CMenu::TrackPopupMenu(Point at, CWnd* owner) const {
  HWND ownerHwnd = owner != nullptr ? static_cast<HWND>(owner->GetSafeHwnd()) : nullptr;
  if (handle == nullptr || ownerHwnd == nullptr) return false;
  // NOTE: unless its owner is the foreground window, a popup does not close
  // when the user clicks elsewhere; the posted null message lets a second
  // popup open at once (the documented TrackPopupMenu remedy).
  SetForegroundWindow(ownerHwnd);
  const BOOL done = ::TrackPopupMenu(Menu(handle), 0, at.x, at.y, 0, ownerHwnd, nullptr);
  PostMessageW(ownerHwnd, WM_NULL, 0, 0);
  return done != FALSE;
}

bool CMenu::DestroyMenu() {
  if (handle == nullptr) return false;
  const bool done = !owned || ::DestroyMenu(Menu(handle)) != FALSE;
  handle = nullptr;
  owned = false;
  return done;
}

int CMenu::GetItemCount() const {
  if (handle == nullptr) return 0;
  const int count = GetMenuItemCount(Menu(handle));
  return count < 0 ? 0 : count;
}

MenuItemInfo CMenu::GetItem(int position) const {
  if (handle == nullptr) return {};
  return ReadItem(Menu(handle), position);
}

bool CMenu::FindItem(uint32_t id, MenuItemInfo& item) const {
  return handle != nullptr && FindIn(Menu(handle), id, item);
}
