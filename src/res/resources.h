#pragma once
// The program's menus, dialog and strings as data, one table per language:
// every backend builds its menus and its about box from these tables, so
// there is one source of truth.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class UiLanguage : uint8_t { Japanese, English };

enum class MenuItemKind { Item, RadioItem, Separator, BeginPopup, EndPopup };

struct MenuTemplateItem {
  MenuItemKind kind;
  uint32_t id;
  const wchar_t* text;
};

enum class DialogControlKind { Icon, Static, DefPushButton };

struct DialogControl {
  DialogControlKind kind;
  uint32_t id;
  const wchar_t* text;  // for Icon, unused (the icon resource is in id's place)
  uint32_t iconId;
  int16_t x, y, cx, cy;  // dialog units
  uint32_t extraStyle;
};

struct DialogTemplate {
  uint32_t id;
  const wchar_t* caption;
  const wchar_t* fontFace;
  uint16_t fontPoints;
  int16_t cx, cy;  // dialog units
  std::span<const DialogControl> controls;
};

// The language the lookups without one answer in: the program's menus,
// dialog and messages. Japanese until set.
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// Null/empty when the id is unknown.
std::span<const MenuTemplateItem> FindMenuTemplate(uint32_t id);
const DialogTemplate* FindDialogTemplate(uint32_t id);
const wchar_t* FindString(uint32_t id);
const wchar_t* FindString(uint32_t id, UiLanguage language);
// The string with %1, %2 ... replaced by fills in order; empty when unknown.
std::wstring FormatString(uint32_t id, const std::vector<std::wstring>& fills);
std::wstring FormatString(uint32_t id, UiLanguage language, const std::vector<std::wstring>& fills);
