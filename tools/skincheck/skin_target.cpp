#include "skincheck/skin_target.h"

#include <filesystem>
#include <system_error>

#include "app/exe_path.h"
#include "res/resource_ids.h"
#include "skin/skin_path.h"

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// Equivalence rather than a name comparison, so that "Skin" counts where the
// file system ignores letter case, as it does for the program.
bool IsSkinFolder(const fs::path& folder) {
  std::error_code error;
  return fs::equivalent(folder.parent_path() / ToFsPath(kSkinFolder), folder, error);
}

bool HoldsSkinIni(const fs::path& folder) {
  std::error_code error;
  return fs::exists(folder / ToFsPath(kSkinIniName), error);
}

void ListSkinFolders(const fs::path& skinFolder, std::vector<std::wstring>& names) {
  std::error_code error;
  fs::directory_iterator entry(skinFolder, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code typeError;
    if (entry->is_directory(typeError)) names.push_back(FromFsPath(entry->path().filename()));
  }
}

void SetSkinFolder(const fs::path& skinFolder, SkinTarget& target) {
  target.exeFolder = FromFsPath(skinFolder.parent_path());
  target.skinFolder = FromFsPath(skinFolder);
}

}  // namespace

bool ResolveSkinTarget(const std::wstring& argument, SkinTarget& target, std::wstring& why, UiLanguage language) {
  target = SkinTarget{};
  std::error_code error;
  fs::path folder = fs::absolute(ToFsPath(argument), error).lexically_normal();
  if (!error && !folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  if (error || argument.empty() || !IsFolder(folder)) {
    why = FormatString(IDS_CHECK_NOT_A_FOLDER, language, {argument});
    return false;
  }
  const fs::path parent = folder.parent_path();
  if (HoldsSkinIni(folder)) {
    SetSkinFolder(parent, target);
    target.names.push_back(FromFsPath(folder.filename()));
    target.inSkinFolder = IsSkinFolder(parent);
    return true;
  }
  if (IsSkinFolder(folder)) {
    SetSkinFolder(folder, target);
    ListSkinFolders(folder, target.names);
    return true;
  }
  const fs::path inner = folder / ToFsPath(kSkinFolder);
  if (IsFolder(inner)) {
    SetSkinFolder(inner, target);
    ListSkinFolders(inner, target.names);
    return true;
  }
  if (IsSkinFolder(parent)) {
    SetSkinFolder(parent, target);
    target.names.push_back(FromFsPath(folder.filename()));
    return true;
  }
  why = FormatString(IDS_CHECK_NOT_A_SKIN, language, {argument});
  return false;
}
