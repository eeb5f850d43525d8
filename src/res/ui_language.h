#pragma once
// Which language the user reads. A choice of "ja" or "en" (config.ini's
// [General] Language, the checker's --lang) wins; anything else follows the
// system's interface language: Japanese when that is Japanese, else English.
#include <optional>
#include <string_view>

#include "resources.h"

// "ja" or "en", ASCII letter case ignored; nothing for any other text.
std::optional<UiLanguage> ParseLanguageChoice(std::wstring_view choice);
// The text that chooses language: "ja" or "en".
std::wstring_view LanguageChoiceText(UiLanguage language);
// A language tag as the system gives it ("ja-JP", "ja_JP.UTF-8", "en-US").
UiLanguage LanguageOfTag(std::wstring_view tag);
UiLanguage ChooseUiLanguage(std::wstring_view choice, std::wstring_view systemTag);
