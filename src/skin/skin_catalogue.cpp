#include "skin/skin_catalogue.h"

#include <filesystem>
#include <system_error>

#include "app/ini_file.h"
#include "app/profile.h"
#include "skin/skin_path.h"

namespace fs = std::filesystem;

namespace {

bool PathExists(const std::wstring& path) {
  std::error_code error;
  return fs::exists(ToFsPath(path), error);
}

}  // namespace

void ScanSkins(SkinCatalogue& catalogue) {
  catalogue.clear();
  std::error_code error;
  fs::directory_iterator entry(ToFsPath(kSkinFolder), error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code typeError;
    if (!entry->is_directory(typeError)) continue;
    const std::wstring name = FromFsPath(entry->path().filename());
    if (name == L"." || name == L"..") continue;
    if (PathExists(MakeSkinFilePath(name, kSkinIniName))) catalogue.push_back(name);
  }
}

int ReadSkinInfo(const SkinCatalogue& catalogue, int index, SkinInfo& info, const std::wstring& exeFolder) {
  if (index < 0 || static_cast<size_t>(index) >= catalogue.size()) return 0;
  const std::wstring& name = catalogue[static_cast<size_t>(index)];
  IniFile file;
  ReadIniFile(JoinPath(exeFolder, MakeSkinFilePath(name, kSkinIniName)), file);
  const IniDocument& ini = file.document;
  info.name = name;
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
    if (catalogue[i] == name) return ReadSkinInfo(catalogue, static_cast<int>(i), info, exeFolder);
  }
  return 0;
}

int CheckSkinFiles(const SkinInfo& info) {
  for (int s = 0; s < SkinInfo::kStateCount; ++s) {
    if (info.file[s].empty()) continue;
    if (!SkinFileExists(info.name, info.file[s])) return 0;
  }
  return 1;
}
