#include <cstdlib>
#include <string>

#include "platform/posix/posix_login_start.h"
#include "platform/text_codec.h"

namespace posix {

// $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
std::wstring AutostartFolder() {
  std::string folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    folder = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    folder = std::string(home) + "/.config";
  } else {
    return {};
  }
  std::wstring wide;
  return platform::DecodeText(folder + "/autostart", platform::TextEncoding::Utf8, wide) ? wide : std::wstring();
}

}  // namespace posix
