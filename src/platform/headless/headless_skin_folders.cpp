#include "headless_skin_folders.h"

#include "platform/files.h"

namespace {

std::vector<std::wstring> skinFolders;

}  // namespace

namespace platform {

std::vector<std::wstring> UserAndSystemSkinFolders() { return skinFolders; }

}  // namespace platform

namespace headless {

void SetUserAndSystemSkinFolders(std::vector<std::wstring> folders) { skinFolders = std::move(folders); }

}  // namespace headless
