#include "../files.h"

namespace platform {

// Windows keeps no shared place for skins of a program installed per user:
// only the user's own, beside the per-user settings.
std::vector<std::wstring> UserAndSystemSkinFolders() {
  const std::wstring base = PerUserDataFolder();
  if (base.empty()) return {};
  return {base + L"\\skin"};
}

}  // namespace platform
