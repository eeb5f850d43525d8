#include "skincheck/skincheck_run.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/app_settings.h"
#include "app/exe_path.h"
#include "platform/system.h"
#include "res/resource_ids.h"
#include "res/ui_language.h"
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

std::wstring Usage(UiLanguage language) { return FormatString(IDS_CHECK_USAGE, language, {kProgramFileName}); }

bool IsFolder(const std::wstring& folder) {
  std::error_code error;
  return fs::is_directory(ToFsPath(folder), error);
}

// As the program chooses, from the settings it would read.
UiLanguage ProgramLanguage() {
  AppSettings settings;
  settings.Load();
  return ChooseUiLanguage(settings.language.value_or(L""), platform::UserInterfaceLanguage());
}

}  // namespace

int RunSkinCheckCommand(const std::vector<std::wstring>& arguments, std::wstring& out, std::wstring& err) {
  std::vector<std::wstring> rest = arguments;
  std::optional<UiLanguage> language;
  if (rest.size() >= 2 && rest[0] == L"--lang") {
    language = ParseLanguageChoice(rest[1]);
    if (!language) {
      err += Usage(ProgramLanguage());
      return kExitUsage;
    }
    rest.erase(rest.begin(), rest.begin() + 2);
  }
  if (!language) language = ProgramLanguage();
  if (rest.size() == 1 && (rest[0] == L"-h" || rest[0] == L"--help" || rest[0] == L"/?")) {
    out += Usage(*language);
    return kExitAllUsable;
  }
  if (rest.empty()) return RunSkinCheckEverywhere(GetExeFolder(), CatalogueFolders(), *language, out, err);
  if (rest.size() != 1) {
    err += Usage(*language);
    return kExitUsage;
  }
  return RunSkinCheck(rest[0], *language, out, err);
}

int RunSkinCheck(const std::wstring& argument, UiLanguage language, std::wstring& out, std::wstring& err) {
  SkinTarget target;
  std::wstring why;
  if (!ResolveSkinTarget(argument, target, why, language)) {
    err += why + L"\n";
    return kExitUsage;
  }
  if (target.names.empty()) {
    out += FormatString(IDS_CHECK_NO_SKINS, language, {target.skinFolder}) + L"\n";
    return kExitNotUsable;
  }
  CurrentDirectory directory;
  if (!directory.Enter(target.exeFolder)) {
    err += FormatString(IDS_CHECK_CANNOT_ENTER, language, {target.exeFolder}) + L"\n";
    return kExitUsage;
  }
  SkinCatalogue catalogue;
  ScanSkins(catalogue, {kSkinFolder});
  bool allUsable = true;
  for (const std::wstring& name : target.names) {
    const SkinReport report = target.inSkinFolder ? CheckSkin(catalogue, name, target.exeFolder)
                                                  : OutsideSkinFolderReport(name, target.skinFolder);
    allUsable = allUsable && report.Usable();
    out += FormatSkinReport(report, language);
  }
  return allUsable ? kExitAllUsable : kExitNotUsable;
}

int RunSkinCheckEverywhere(const std::wstring& exeFolder, const std::vector<std::wstring>& folders,
                           UiLanguage language, std::wstring& out, std::wstring& err) {
  CurrentDirectory directory;
  if (!directory.Enter(exeFolder)) {
    err += FormatString(IDS_CHECK_CANNOT_ENTER, language, {exeFolder}) + L"\n";
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
    const uint32_t heading = !IsFolder(folder) ? IDS_CHECK_NO_SUCH_FOLDER
                             : own.empty()     ? IDS_CHECK_FOLDER_WITHOUT_SKINS
                                               : IDS_CHECK_FOLDER;
    out += FormatString(heading, language, {shown(folder)}) + L"\n";
    for (const CatalogueSkin& skin : own) {
      const auto listed = std::find_if(catalogue.begin(), catalogue.end(),
                                       [&](const CatalogueSkin& entry) { return entry.name == skin.name; });
      if (listed->folder != folder) {
        out += FormatString(IDS_CHECK_HIDDEN, language, {skin.name, shown(listed->folder)}) + L"\n";
        continue;
      }
      const SkinReport report = CheckSkin(catalogue, skin.name, exeFolder);
      allUsable = allUsable && report.Usable();
      out += FormatSkinReport(report, language);
    }
  }
  if (catalogue.empty()) out += FormatString(IDS_CHECK_NO_SKINS_ANYWHERE, language, {}) + L"\n";
  return allUsable ? kExitAllUsable : kExitNotUsable;
}
