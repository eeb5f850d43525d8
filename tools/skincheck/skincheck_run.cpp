#include "skincheck/skincheck_run.h"

#include <filesystem>
#include <system_error>

#include "app/exe_path.h"
#include "skin/skin_catalogue.h"
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
  return std::wstring(L"usage: kitemaru-skincheck <folder>\n"
                      L"  <folder> is one skin (a folder holding skin.ini), a 'skin' folder of skins,\n"
                      L"  or the folder holding 'skin' next to ") +
         kProgramFileName +
         L".\n"
         L"Exit code: 0 every skin usable, 1 some skin not usable, 2 usage error.\n";
}

}  // namespace

int RunSkinCheckCommand(const std::vector<std::wstring>& arguments, std::wstring& out, std::wstring& err) {
  if (arguments.size() == 1 && (arguments[0] == L"-h" || arguments[0] == L"--help" || arguments[0] == L"/?")) {
    out += Usage();
    return kExitAllUsable;
  }
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
  ScanSkins(catalogue);
  bool allUsable = true;
  for (const std::wstring& name : target.names) {
    const SkinReport report = target.inSkinFolder ? CheckSkin(catalogue, name, target.exeFolder)
                                                  : OutsideSkinFolderReport(name, target.skinFolder);
    allUsable = allUsable && report.Usable();
    out += FormatSkinReport(report);
  }
  return allUsable ? kExitAllUsable : kExitNotUsable;
}
