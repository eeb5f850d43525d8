#pragma once
// What one language's resource file offers the lookups in resources.cpp.
#include <span>

#include "resource_ids.h"
#include "resources.h"

struct StringEntry {
  uint32_t id;
  const wchar_t* text;
};

struct LanguageResources {
  std::span<const MenuTemplateItem> controlMenu;
  std::span<const MenuTemplateItem> spriteMenu;
  const DialogTemplate* aboutBox;
  std::span<const StringEntry> strings;
};

const LanguageResources& JapaneseResources();
const LanguageResources& EnglishResources();

inline constexpr uint32_t kNoPrefix = 0x80;  // SS_NOPREFIX

// The about box shows the same controls in every language; only its caption and font differ.
inline constexpr DialogControl kAboutControls[] = {
    {DialogControlKind::Icon, IDC_ABOUT_ICON, nullptr, IDI_KITEMARU, 11, 17, 20, 20, 0},
    {DialogControlKind::Static, IDC_ABOUT_TEXT, L"KITE-MARU Version 0.1.0", 0, 40, 10, 119, 8, kNoPrefix},
    {DialogControlKind::DefPushButton, 1, L"OK", 0, 178, 7, 50, 16, 0},
};

// Labelled in their own languages, whichever language the menu is in.
inline constexpr wchar_t kJapaneseLanguageItem[] = L"日本語(&J)";
inline constexpr wchar_t kEnglishLanguageItem[] = L"&English";
