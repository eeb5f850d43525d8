#include <string>

#include "platform/posix/posix_files.h"
#include "platform/posix/posix_login_start.h"
#include "platform/text_codec.h"

namespace posix {

// $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
std::wstring AutostartFolder() {
  const std::string config = XdgConfigHome();
  std::wstring wide;
  return !config.empty() && platform::DecodeText(config + "/autostart", platform::TextEncoding::Utf8, wide)
             ? wide
             : std::wstring();
}

}  // namespace posix
