#include "skincheck/skin_check.h"

#include <algorithm>

#include "app/exe_path.h"
#include "app/ini_file.h"
#include "app/profile.h"
#include "skin/offscreen_surface.h"
#include "skin/skin_catalogue.h"
#include "skin/skin_path.h"

namespace {

constexpr int kDefault = static_cast<int>(AnimState::Default);

// CheckSkinFiles of this state alone, to name every missing strip rather
// than stop at the first as the program does.
bool StripExists(const SkinInfo& info, int state) {
  SkinInfo one;
  one.name = info.name;
  one.folder = info.folder;
  one.file[state] = info.file[state];
  return CheckSkinFiles(one) == 1;
}

SkinProblem StateProblem(SkinProblemKind kind, const SkinInfo& info, int state) {
  SkinProblem problem;
  problem.kind = kind;
  problem.state = state;
  problem.file = info.file[state];
  problem.path = info.file[state].empty() ? std::wstring() : MakeSkinFilePath(info.folder, info.name, info.file[state]);
  problem.animationFrame = info.animationFrame[state];
  problem.animationWait = info.animationWait[state];
  return problem;
}

// The AnimationFrame value as written: the program reads "abc" as 0, and
// the author wants to hear about "abc".
std::wstring AnimationFrameText(const SkinInfo& info, const std::wstring& exeFolder, int state) {
  IniFile file;
  const std::wstring path = MakeSkinFilePath(info.folder, info.name, kSkinIniName);
  ReadIniFile(ToFsPath(info.folder).is_absolute() ? path : JoinPath(exeFolder, path), file);
  return ReadProfileString(file.document, kAnimStateNames[state], L"AnimationFrame", L"");
}

}  // namespace

SkinReport CheckSkin(const SkinCatalogue& catalogue, const std::wstring& name, const std::wstring& exeFolder) {
  SkinReport report;
  report.name = name;
  SkinInfo info;
  if (FindSkin(catalogue, name, info, exeFolder) == 0) {
    SkinProblem problem;
    problem.kind = SkinProblemKind::NotListed;
    problem.path = MakeSkinFilePath(kSkinFolder, name, kSkinIniName);
    report.problems.push_back(problem);
    return report;
  }
  report.listed = true;
  report.loads = CheckSkinFiles(info) == 1;
  const size_t position = size_t(
      std::find_if(catalogue.begin(), catalogue.end(), [&](const CatalogueSkin& skin) { return skin.name == name; }) -
      catalogue.begin());
  if (position >= kMaxMenuSkins) {
    SkinProblem problem;
    problem.kind = SkinProblemKind::NotInMenus;
    problem.fatal = false;
    problem.position = position;
    report.problems.push_back(problem);
  }

  // The sprite's strips share one budget, taken in state order as it loads them.
  uint64_t budget = kMaxSpriteBytes;
  for (int state = 0; state < SkinInfo::kStateCount; ++state) {
    const bool shown = state == kDefault;
    if (info.file[state].empty()) {
      if (shown) report.problems.push_back(StateProblem(SkinProblemKind::NoDefaultStrip, info, state));
      continue;
    }
    if (!SkinFileInside(info.folder, name, info.file[state])) {
      report.problems.push_back(StateProblem(SkinProblemKind::FileOutside, info, state));
      continue;
    }
    if (!StripExists(info, state)) {
      report.problems.push_back(StateProblem(SkinProblemKind::FileNotFound, info, state));
      continue;
    }
    OffscreenSurface surface;
    PngLoadError error;
    if (surface.LoadPng(MakeSkinFilePath(info.folder, name, info.file[state]), info.animationFrame[state], &error, budget) == 0) {
      SkinProblem problem = StateProblem(SkinProblemKind::StripFailed, info, state);
      // The sprite is made all the same; only a Default that fails leaves it
      // showing the warning tile instead of the skin.
      problem.fatal = shown;
      problem.strip = error;
      if (error.kind == PngLoadErrorKind::BadFrameCount) {
        problem.animationFrameText = AnimationFrameText(info, exeFolder, state);
      }
      report.problems.push_back(problem);
      continue;
    }
    budget -= surface.DecodedBytes();
    report.decodedBytes += surface.DecodedBytes();
    if (!shown) continue;
    report.shows = true;
    report.frameCount = surface.FrameCount();
    report.frameWidth = surface.FrameWidth();
    report.frameHeight = surface.FrameHeight();
    if (info.animationWait[state] < kShortestDistinctWait) {
      SkinProblem problem = StateProblem(SkinProblemKind::FastAnimation, info, state);
      problem.fatal = false;
      report.problems.push_back(problem);
    }
  }
  return report;
}

SkinReport OutsideSkinFolderReport(const std::wstring& name, const std::wstring& folder) {
  SkinReport report;
  report.name = name;
  SkinProblem problem;
  problem.kind = SkinProblemKind::OutsideSkinFolder;
  problem.path = folder;
  report.problems.push_back(problem);
  return report;
}
