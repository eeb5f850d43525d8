#include "headless_world.h"
#include "platform/posix/posix_login_start.h"

// The desktop's autostart file, written for real in the test's folder.
namespace posix {

std::wstring AutostartFolder() { return headless::detail::TheWorld().autostartFolder; }

}  // namespace posix

namespace headless {

void SetAutostartFolder(const std::wstring& folder) { detail::TheWorld().autostartFolder = folder; }

}  // namespace headless
