#include "ui_language.h"

namespace {

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameAscii(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<UiLanguage> ParseLanguageChoice(std::wstring_view choice) {
  if (SameAscii(choice, L"ja")) return UiLanguage::Japanese;
  if (SameAscii(choice, L"en")) return UiLanguage::English;
  return std::nullopt;
}

std::wstring_view LanguageChoiceText(UiLanguage language) {
  return language == UiLanguage::English ? L"en" : L"ja";
}

UiLanguage LanguageOfTag(std::wstring_view tag) {
  const std::wstring_view primary = tag.substr(0, tag.find_first_of(L"-_.@"));
  return SameAscii(primary, L"ja") ? UiLanguage::Japanese : UiLanguage::English;
}

UiLanguage ChooseUiLanguage(std::wstring_view choice, std::wstring_view systemTag) {
  return ParseLanguageChoice(choice).value_or(LanguageOfTag(systemTag));
}
