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

}  // namespace

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
