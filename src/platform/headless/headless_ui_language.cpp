#include "headless_world.h"
#include "platform/system.h"

namespace platform {

std::wstring UserInterfaceLanguage() { return headless::detail::TheWorld().uiLanguage; }

}  // namespace platform

namespace headless {

void SetUserInterfaceLanguage(const std::wstring& tag) { detail::TheWorld().uiLanguage = tag; }

}  // namespace headless
