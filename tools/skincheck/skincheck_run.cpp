#include "skincheck/skincheck_run.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/exe_path.h"
#include "skin/skin_catalogue.h"
#include "skin/skin_path.h"
#include "skincheck/skin_check.h"
#include "skincheck/skin_report_text.h"
#include "skincheck/skin_target.h"

namespace fs = std::filesystem;

namespace {

// The catalogue and the strips are found relative to the current directory.
class CurrentDirectory {
 public:
  bool Enter(const std::wstring& folder) {
    std::error_code error;
    previous = fs::current_path(error);
    if (error) previous.clear();
    fs::current_path(ToFsPath(folder), error);
    return !error;
  }
  ~CurrentDirectory() {
    std::error_code error;
    if (!previous.empty()) fs::current_path(previous, error);
  }

 private:
  fs::path previous;
};

std::wstring Usage() {
  return std::wstring(L"usage: kitemaru-skincheck [<folder>]\n"
                      L"  <folder> is one skin (a folder holding skin.ini), a 'skin' folder of skins,\n"
                      L"  or the folder holding 'skin' next to ") +
         kProgramFileName +
         L".\n"
         L"Without <folder>, every skin folder the program reads, in its order.\n"
         L"Exit code: 0 every skin usable, 1 some skin not usable, 2 usage error.\n";
}

bool IsFolder(const std::wstring& folder) {
  std::error_code error;
  return fs::is_directory(ToFsPath(folder), error);
}

}  // namespace

int RunSkinCheckCommand(const std::vector<std::wstring>& arguments, std::wstring& out, std::wstring& err) {
  if (arguments.size() == 1 && (arguments[0] == L"-h" || arguments[0] == L"--help" || arguments[0] == L"/?")) {
    out += Usage();
    return kExitAllUsable;
  }
  if (arguments.empty()) return RunSkinCheckEverywhere(GetExeFolder(), CatalogueFolders(), out, err);
  if (arguments.size() != 1) {
    err += Usage();
    return kExitUsage;
  }
  return RunSkinCheck(arguments[0], out, err);
}

int RunSkinCheck(const std::wstring& argument, std::wstring& out, std::wstring& err) {
  SkinTarget target;
  std::wstring why;
  if (!ResolveSkinTarget(argument, target, why)) {
    err += why + L"\n";
    return kExitUsage;
  }
  if (target.names.empty()) {
    out += L"no skins in " + target.skinFolder + L"\n";
    return kExitNotUsable;
  }
  CurrentDirectory directory;
  if (!directory.Enter(target.exeFolder)) {
    err += L"cannot make " + target.exeFolder + L" the current folder\n";
    return kExitUsage;
  }
  SkinCatalogue catalogue;
  ScanSkins(catalogue, {kSkinFolder});
  bool allUsable = true;
  for (const std::wstring& name : target.names) {
    const SkinReport report = target.inSkinFolder ? CheckSkin(catalogue, name, target.exeFolder)
                                                  : OutsideSkinFolderReport(name, target.skinFolder);
    allUsable = allUsable && report.Usable();
    out += FormatSkinReport(report);
  }
  return allUsable ? kExitAllUsable : kExitNotUsable;
}

int RunSkinCheckEverywhere(const std::wstring& exeFolder, const std::vector<std::wstring>& folders,
                           std::wstring& out, std::wstring& err) {
  CurrentDirectory directory;
  if (!directory.Enter(exeFolder)) {
    err += L"cannot make " + exeFolder + L" the current folder\n";
    return kExitUsage;
  }
  const auto shown = [&](const std::wstring& folder) {
    return ToFsPath(folder).is_absolute() ? folder : JoinPath(exeFolder, folder);
  };
  SkinCatalogue catalogue;
  ScanSkins(catalogue, folders);
  bool allUsable = !catalogue.empty();
  for (const std::wstring& folder : folders) {
    SkinCatalogue own;
    ScanSkins(own, {folder});
    out += shown(folder) + (!IsFolder(folder) ? L": no such folder\n" : own.empty() ? L": no skins\n" : L":\n");
    for (const CatalogueSkin& skin : own) {
      const auto listed = std::find_if(catalogue.begin(), catalogue.end(),
                                       [&](const CatalogueSkin& entry) { return entry.name == skin.name; });
      if (listed->folder != folder) {
        out += skin.name + L": hidden by the skin of this name in " + shown(listed->folder) + L"\n";
        continue;
      }
      const SkinReport report = CheckSkin(catalogue, skin.name, exeFolder);
      allUsable = allUsable && report.Usable();
      out += FormatSkinReport(report);
    }
  }
  if (catalogue.empty()) out += L"no skins in any of these folders\n";
  return allUsable ? kExitAllUsable : kExitNotUsable;
}
