#include "resources.h"

#include <atomic>

#include "resource_tables.h"

namespace {

std::atomic<UiLanguage> currentLanguage{UiLanguage::Japanese};

const LanguageResources& ResourcesFor(UiLanguage language) {
  return language == UiLanguage::English ? EnglishResources() : JapaneseResources();
}

}  // namespace

void SetUiLanguage(UiLanguage language) { currentLanguage.store(language, std::memory_order_relaxed); }

UiLanguage CurrentUiLanguage() { return currentLanguage.load(std::memory_order_relaxed); }

std::span<const MenuTemplateItem> FindMenuTemplate(uint32_t id) {
  const LanguageResources& table = ResourcesFor(CurrentUiLanguage());
  if (id == IDR_CONTROL_MENU) return table.controlMenu;
  if (id == IDR_SPRITE_MENU) return table.spriteMenu;
  return {};
}

const DialogTemplate* FindDialogTemplate(uint32_t id) {
  return id == IDD_ABOUTBOX ? ResourcesFor(CurrentUiLanguage()).aboutBox : nullptr;
}

const wchar_t* FindString(uint32_t id) { return FindString(id, CurrentUiLanguage()); }

const wchar_t* FindString(uint32_t id, UiLanguage language) {
  for (const StringEntry& entry : ResourcesFor(language).strings) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}

std::wstring FormatString(uint32_t id, const std::vector<std::wstring>& fills) {
  return FormatString(id, CurrentUiLanguage(), fills);
}

std::wstring FormatString(uint32_t id, UiLanguage language, const std::vector<std::wstring>& fills) {
  const wchar_t* text = FindString(id, language);
  if (text == nullptr) return {};
  std::wstring out;
  for (const wchar_t* at = text; *at != L'\0'; ++at) {
    const bool fill = at[0] == L'%' && at[1] >= L'1' && at[1] <= L'9';
    const size_t index = fill ? static_cast<size_t>(at[1] - L'1') : fills.size();
    if (index < fills.size()) {
      out += fills[index];
      ++at;
    } else {
      out += *at;
    }
  }
  return out;
}
