#include "platform/files.h"

namespace platform {

// Only the user's own, beside the per-user settings: on Windows the program's
// own folder is the one every user shares.
std::vector<std::wstring> UserAndSystemSkinFolders() {
  const std::wstring base = PerUserDataFolder();
  if (base.empty()) return {};
  return {base + L"\\skin"};
}

}  // namespace platform
