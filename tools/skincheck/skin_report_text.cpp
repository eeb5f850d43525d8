#include "skincheck/skin_report_text.h"

#include <vector>

#include "app/ini_encoding.h"
#include "res/resource_ids.h"
#include "skin/offscreen_surface.h"

namespace {

std::wstring Quoted(const std::wstring& text) { return L"'" + text + L"'"; }

std::wstring Dimensions(uint32_t width, uint32_t height) {
  return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

// "64 KiB" below a mebibyte, else "1.5 MiB"; rounded up, never to 0.
std::wstring Bytes(uint64_t bytes) {
  if (bytes < (uint64_t(1) << 20)) return std::to_wstring((bytes + 1023) >> 10) + L" KiB";
  const uint64_t tenths = (bytes * 10 + (uint64_t(1) << 20) - 1) >> 20;
  return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L" MiB";
}

// Whether the program reads a number from text: white space, a sign, then
// at least one digit. "abc" and "" read as 0 without being one.
bool ReadsAsNumber(const std::wstring& text) {
  size_t i = text.find_first_not_of(L" \t\n\v\f\r");
  if (i == std::wstring::npos) return false;
  if (text[i] == L'+' || text[i] == L'-') ++i;
  return i < text.size() && text[i] >= L'0' && text[i] <= L'9';
}

class ReportText {
 public:
  explicit ReportText(UiLanguage language) : language(language) {}
  std::wstring operator()(uint32_t id, const std::vector<std::wstring>& fills = {}) const {
    return FormatString(id, language, fills);
  }
  std::wstring Frames(uint64_t count) const {
    return (*this)(count == 1 ? IDS_CHECK_ONE_FRAME : IDS_CHECK_FRAMES, {std::to_wstring(count)});
  }

 private:
  UiLanguage language;
};

std::wstring DescribeStrip(const SkinProblem& problem, const ReportText& text) {
  const PngLoadError& strip = problem.strip;
  const std::wstring file = Quoted(problem.file);
  const std::wstring size = Dimensions(strip.width, strip.height);
  switch (strip.kind) {
    case PngLoadErrorKind::None:
      break;
    case PngLoadErrorKind::NotFound:
      return text(IDS_CHECK_FILE_NOT_FOUND, {file, problem.path});
    case PngLoadErrorKind::Unreadable:
      return text(IDS_CHECK_UNREADABLE, {file, problem.path, Utf8ToWide(strip.message)});
    case PngLoadErrorKind::NotPng:
      return text(IDS_CHECK_NOT_PNG, {file});
    case PngLoadErrorKind::Corrupt:
      return text(IDS_CHECK_CORRUPT, {file, Utf8ToWide(strip.message)});
    case PngLoadErrorKind::BadFrameCount:
      if (!ReadsAsNumber(problem.animationFrameText)) {
        return text(IDS_CHECK_FRAME_COUNT_NOT_A_NUMBER, {Quoted(problem.animationFrameText)});
      }
      return text(IDS_CHECK_FRAME_COUNT_TOO_SMALL, {std::to_wstring(problem.animationFrame)});
    case PngLoadErrorKind::HeightNotMultiple:
      return text(IDS_CHECK_HEIGHT_NOT_MULTIPLE, {file, size, std::to_wstring(strip.height),
                                                  std::to_wstring(problem.animationFrame)});
    case PngLoadErrorKind::FrameTooLarge: {
      const uint32_t frames = problem.animationFrame > 0 ? uint32_t(problem.animationFrame) : 1;
      return text(IDS_CHECK_FRAME_TOO_LARGE, {file, size, text.Frames(frames),
                                              Dimensions(strip.width, strip.height / frames),
                                              std::to_wstring(kMaxFrameSide)});
    }
    case PngLoadErrorKind::TooLarge:
      return text(IDS_CHECK_STRIP_TOO_LARGE, {file, size, Bytes(uint64_t(strip.width) * strip.height * 4),
                                              std::to_wstring(kMaxSurfaceBytes >> 20)});
    case PngLoadErrorKind::OverBudget:
      return text(IDS_CHECK_OVER_BUDGET,
                  {file, Bytes(strip.bytes), std::to_wstring(kMaxSpriteBytes >> 20), Bytes(strip.budget)});
    case PngLoadErrorKind::OutOfMemory:
      return text(IDS_CHECK_OUT_OF_MEMORY, {file, size});
  }
  return text(IDS_CHECK_DOES_NOT_DECODE, {file});
}

std::wstring DescribeWhat(const SkinProblem& problem, const ReportText& text) {
  switch (problem.kind) {
    case SkinProblemKind::NotListed:
      return text(IDS_CHECK_NOT_LISTED, {problem.path});
    case SkinProblemKind::OutsideSkinFolder:
      return text(IDS_CHECK_OUTSIDE_SKIN_FOLDER, {kProgramFileName, Quoted(problem.path)});
    case SkinProblemKind::NoDefaultStrip:
      return text(IDS_CHECK_NO_DEFAULT_STRIP);
    case SkinProblemKind::FileNotFound:
      return text(IDS_CHECK_FILE_NOT_FOUND, {Quoted(problem.file), problem.path});
    case SkinProblemKind::FileOutside:
      return text(IDS_CHECK_FILE_OUTSIDE, {Quoted(problem.file)});
    case SkinProblemKind::StripFailed:
      return text(problem.fatal ? IDS_CHECK_STRIP_FATAL : IDS_CHECK_STRIP_NOT_SHOWN, {DescribeStrip(problem, text)});
    case SkinProblemKind::FastAnimation:
      return text(IDS_CHECK_FAST_ANIMATION,
                  {std::to_wstring(problem.animationWait), std::to_wstring(kShortestDistinctWait)});
    case SkinProblemKind::NotInMenus:
      return text(IDS_CHECK_NOT_IN_MENUS, {std::to_wstring(problem.position + 1), std::to_wstring(kMaxMenuSkins)});
  }
  return L"";
}

}  // namespace

std::wstring DescribeProblem(const SkinProblem& problem, UiLanguage language) {
  const ReportText text(language);
  if (problem.state < 0 || problem.state >= SkinInfo::kStateCount) return DescribeWhat(problem, text);
  return std::wstring(kAnimStateNames[problem.state]) + L": " + DescribeWhat(problem, text);
}

std::wstring FormatSkinReport(const SkinReport& report, UiLanguage language) {
  const ReportText text(language);
  std::vector<std::wstring> lines;
  for (const SkinProblem& problem : report.problems) {
    if (problem.fatal) lines.push_back(DescribeProblem(problem, language));
  }
  std::wstring out;
  if (report.Usable()) {
    out = text(IDS_CHECK_USABLE, {report.name, text.Frames(uint64_t(report.frameCount)),
                                  Dimensions(uint32_t(report.frameWidth), uint32_t(report.frameHeight)),
                                  Bytes(report.decodedBytes)});
  } else {
    out = text(IDS_CHECK_NOT_USABLE, {report.name, lines.empty() ? text(IDS_CHECK_REASON_UNKNOWN) : lines.front()});
  }
  out += L"\n";
  for (size_t i = 1; i < lines.size(); ++i) out += L"  " + lines[i] + L"\n";
  for (const SkinProblem& problem : report.problems) {
    if (!problem.fatal) out += L"  " + text(IDS_CHECK_WARNING, {DescribeProblem(problem, language)}) + L"\n";
  }
  return out;
}
