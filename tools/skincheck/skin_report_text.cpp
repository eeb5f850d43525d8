#include "skincheck/skin_report_text.h"

#include <vector>

#include "app/ini_encoding.h"
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

std::wstring DescribeStrip(const SkinProblem& problem) {
  const PngLoadError& strip = problem.strip;
  const std::wstring file = Quoted(problem.file);
  const std::wstring message = Utf8ToWide(strip.message);
  switch (strip.kind) {
    case PngLoadErrorKind::None:
      break;
    case PngLoadErrorKind::NotFound:
      return L"File " + file + L" not found (tried " + problem.path + L")";
    case PngLoadErrorKind::Unreadable:
      return L"cannot read " + file + L" (tried " + problem.path + L"): " + message;
    case PngLoadErrorKind::NotPng:
      return file + L" is not a PNG file";
    case PngLoadErrorKind::Corrupt:
      return file + L" does not decode: libpng says \"" + message + L"\"";
    case PngLoadErrorKind::BadFrameCount:
      if (!ReadsAsNumber(problem.animationFrameText)) {
        return L"AnimationFrame " + Quoted(problem.animationFrameText) + L" is not a number; it must be 1 or more";
      }
      return L"AnimationFrame is " + std::to_wstring(problem.animationFrame) + L"; it must be 1 or more";
    case PngLoadErrorKind::HeightNotMultiple:
      return file + L" is " + Dimensions(strip.width, strip.height) + L" pixels: its height " +
             std::to_wstring(strip.height) + L" is not a multiple of AnimationFrame " +
             std::to_wstring(problem.animationFrame);
    case PngLoadErrorKind::FrameTooLarge: {
      const uint32_t frames = problem.animationFrame > 0 ? uint32_t(problem.animationFrame) : 1;
      return file + L" is " + Dimensions(strip.width, strip.height) + L" pixels in " + std::to_wstring(frames) +
             (frames == 1 ? L" frame" : L" frames") + L": each frame is " + Dimensions(strip.width, strip.height / frames) +
             L", over the limit of " + std::to_wstring(kMaxFrameSide) + L" pixels a side";
    }
    case PngLoadErrorKind::TooLarge:
      return file + L" is " + Dimensions(strip.width, strip.height) + L" pixels: decoded it would take " +
             Bytes(uint64_t(strip.width) * strip.height * 4) + L", over the limit of " +
             std::to_wstring(kMaxSurfaceBytes >> 20) + L" MiB a strip";
    case PngLoadErrorKind::OverBudget:
      return file + L" would take " + Bytes(strip.bytes) + L" decoded, but a sprite's strips may take " +
             std::to_wstring(kMaxSpriteBytes >> 20) + L" MiB together and the states before it leave " +
             Bytes(strip.budget) + L", so it is not loaded";
    case PngLoadErrorKind::OutOfMemory:
      return L"not enough memory to decode " + file + L" (" + Dimensions(strip.width, strip.height) + L" pixels)";
  }
  return file + L" does not decode";
}

std::wstring DescribeWhat(const SkinProblem& problem) {
  switch (problem.kind) {
    case SkinProblemKind::NotListed:
      return L"no skin.ini (tried " + problem.path + L"), so it is not listed";
    case SkinProblemKind::OutsideSkinFolder:
      return std::wstring(L"not listed: the program lists only folders inside the folder named 'skin' next to ") +
             kProgramFileName + L", and this one is in " + Quoted(problem.path);
    case SkinProblemKind::NoDefaultStrip:
      return L"no File, so the sprite shows only a red warning tile";
    case SkinProblemKind::FileNotFound:
      return L"File " + Quoted(problem.file) + L" not found (tried " + problem.path + L")";
    case SkinProblemKind::FileOutside:
      return L"File " + Quoted(problem.file) +
             L" is outside the 'skin' folder (an absolute path, a drive, a share, a device name such as NUL, "
             L"a ':' stream or '..' above 'skin'), so the program treats it as missing";
    case SkinProblemKind::StripFailed:
      return DescribeStrip(problem) + (problem.fatal ? L", so the sprite shows only a red warning tile"
                                                     : L" (this state is never shown; the sprite still works)");
    case SkinProblemKind::FastAnimation:
      return L"AnimationWait " + std::to_wstring(problem.animationWait) + L" ms is below " +
             std::to_wstring(kShortestDistinctWait) + L" ms, so the frame changes at every 16 ms step";
    case SkinProblemKind::NotInMenus:
      return L"not in the menus: it is skin " + std::to_wstring(problem.position + 1) +
             L" in listing order and the menus offer only the first " + std::to_wstring(kMaxMenuSkins) +
             L"; it shows only when config.ini already names it";
  }
  return L"";
}

}  // namespace

std::wstring DescribeProblem(const SkinProblem& problem) {
  if (problem.state < 0 || problem.state >= SkinInfo::kStateCount) return DescribeWhat(problem);
  return std::wstring(kAnimStateNames[problem.state]) + L": " + DescribeWhat(problem);
}

std::wstring FormatSkinReport(const SkinReport& report) {
  std::wstring text = report.name;
  std::vector<std::wstring> lines;
  for (const SkinProblem& problem : report.problems) {
    if (problem.fatal) lines.push_back(DescribeProblem(problem));
  }
  if (report.Usable()) {
    text += L": usable \u2014 listed, loads, shows " + std::to_wstring(report.frameCount) +
            (report.frameCount == 1 ? L" frame of " : L" frames of ") +
            Dimensions(uint32_t(report.frameWidth), uint32_t(report.frameHeight)) + L", " + Bytes(report.decodedBytes) +
            L" decoded\n";
  } else {
    text += L": NOT usable \u2014 " + (lines.empty() ? std::wstring(L"reason unknown") : lines.front()) + L"\n";
  }
  for (size_t i = 1; i < lines.size(); ++i) text += L"  " + lines[i] + L"\n";
  for (const SkinProblem& problem : report.problems) {
    if (!problem.fatal) text += L"  warning: " + DescribeProblem(problem) + L"\n";
  }
  return text;
}
