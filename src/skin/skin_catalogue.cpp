#include "skin/skin_catalogue.h"

#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "app/ini_file.h"
#include "app/profile.h"
#include "platform/files.h"
#include "skin/skin_path.h"

namespace fs = std::filesystem;

namespace {

bool PathExists(const std::wstring& path) {
  std::error_code error;
  return fs::exists(ToFsPath(path), error);
}

void ScanFolder(SkinCatalogue& catalogue, std::unordered_set<std::wstring>& listed, const std::wstring& folder) {
  std::error_code error;
  fs::directory_iterator entry(ToFsPath(folder), error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code typeError;
    if (!entry->is_directory(typeError)) continue;
    const std::wstring name = FromFsPath(entry->path().filename());
    if (name == L"." || name == L"..") continue;
    if (!listed.contains(name) && PathExists(MakeSkinFilePath(folder, name, kSkinIniName))) {
      listed.insert(name);
      catalogue.push_back({name, folder});
    }
  }
}

// skin.ini goes to the INI reader as a full path, the program's own folder
// taken in exeFolder.
std::wstring SkinIniPath(const CatalogueSkin& skin, const std::wstring& exeFolder) {
  const std::wstring path = MakeSkinFilePath(skin.folder, skin.name, kSkinIniName);
  return ToFsPath(skin.folder).is_absolute() ? path : JoinPath(exeFolder, path);
}

}  // namespace

std::vector<std::wstring> CatalogueFolders() {
  std::vector<std::wstring> folders = {kSkinFolder};
  for (const std::wstring& folder : platform::UserAndSystemSkinFolders()) folders.push_back(folder);
  return folders;
}

void ScanSkins(SkinCatalogue& catalogue, const std::vector<std::wstring>& folders) {
  catalogue.clear();
  std::unordered_set<std::wstring> listed;
  for (const std::wstring& folder : folders) ScanFolder(catalogue, listed, folder);
}

int ReadSkinInfo(const SkinCatalogue& catalogue, int index, SkinInfo& info, const std::wstring& exeFolder) {
  if (index < 0 || static_cast<size_t>(index) >= catalogue.size()) return 0;
  const CatalogueSkin& skin = catalogue[static_cast<size_t>(index)];
  IniFile file;
  ReadIniFile(SkinIniPath(skin, exeFolder), file);
  const IniDocument& ini = file.document;
  info.name = skin.name;
  info.folder = skin.folder;
  for (int s = 0; s < SkinInfo::kStateCount; ++s) {
    const wchar_t* section = kAnimStateNames[s];
    info.file[s] = ReadProfileString(ini, section, L"File", L"");
    info.animationFrame[s] = ReadProfileInt(ini, section, L"AnimationFrame", kDefaultAnimationFrame);
    info.animationWait[s] = ReadProfileInt(ini, section, L"AnimationWait", kDefaultAnimationWait);
  }
  return 1;
}

int FindSkin(const SkinCatalogue& catalogue, const std::wstring& name, SkinInfo& info,
             const std::wstring& exeFolder) {
  for (size_t i = 0; i < catalogue.size(); ++i) {
    if (catalogue[i].name == name) return ReadSkinInfo(catalogue, static_cast<int>(i), info, exeFolder);
  }
  return 0;
}

int CheckSkinFiles(const SkinInfo& info) {
  for (int s = 0; s < SkinInfo::kStateCount; ++s) {
    if (info.file[s].empty()) continue;
    if (!SkinFileExists(info.folder, info.name, info.file[s])) return 0;
  }
  return 1;
}
