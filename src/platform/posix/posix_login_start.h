#pragma once
// The login entry as a freedesktop autostart file, shared by the backends
// that run on such desktops; each says where the file goes.
#include <string>

namespace posix {

// The folder of the user's autostart entries; empty when there is none.
std::wstring AutostartFolder();

}  // namespace posix
