#include "win32_windows.h"

#include "platform/system.h"

namespace platform {

// The language the user's Windows shows its own menus in, which may differ
// from the format locale (a Japanese user with English date formats).
std::wstring UserInterfaceLanguage() {
  const LCID language = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
  wchar_t tag[LOCALE_NAME_MAX_LENGTH] = {};
  if (LCIDToLocaleName(language, tag, LOCALE_NAME_MAX_LENGTH, 0) == 0) return {};
  return tag;
}

}  // namespace platform
