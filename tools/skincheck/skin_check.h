#pragma once
// Whether the program would list, load and show a skin, and if not, why,
// found with the program's own catalogue and strip decoder.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/load_png_error.h"
#include "skin/skin_info.h"

enum class SkinProblemKind {
  NotListed,          // no skin.ini
  OutsideSkinFolder,  // its folder is not inside a folder named "skin"
  NoDefaultStrip,     // Default has no File: nothing to show
  FileNotFound,       // a named strip does not exist: no sprite is made
  FileOutside,        // a File leads outside "skin": treated as missing
  StripFailed,        // a strip does not decode (details in strip)
  FastAnimation,      // Default's frame changes at every worker step
  NotInMenus,         // listed past kMaxMenuSkins: only config.ini brings it up
};

struct SkinProblem {
  SkinProblemKind kind = SkinProblemKind::NotListed;
  // False for a warning: the skin still works.
  bool fatal = true;
  // The AnimState concerned, or -1 for the skin as a whole.
  int state = -1;
  std::wstring file;  // the File value
  std::wstring path;  // the path the program tries
  int32_t animationFrame = 0;
  std::wstring animationFrameText;  // as written in skin.ini, for a count the program cannot use
  int32_t animationWait = 0;
  PngLoadError strip;
  size_t position = 0;  // NotInMenus: the skin's place in the listing, from 0
};

struct SkinReport {
  std::wstring name;
  bool listed = false;  // in the catalogue
  bool loads = false;   // every named strip exists, so the sprite is made
  bool shows = false;   // Default decodes into frames
  int32_t frameCount = 0;
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;
  uint64_t decodedBytes = 0;  // all of its strips that decode, as one sprite holds them
  std::vector<SkinProblem> problems;  // in the order found

  bool Usable() const { return listed && loads && shows; }
};

// Below this, AnimationWait / 16 ms is at most one step: a new frame every step.
inline constexpr int32_t kShortestDistinctWait = 32;

// Checks skin name as the program would from its current directory, which
// must be the folder holding "skin" (exeFolder); catalogue is ScanSkins' result.
SkinReport CheckSkin(const SkinCatalogue& catalogue, const std::wstring& name, const std::wstring& exeFolder);

// The report of a skin whose folder the program never looks into.
SkinReport OutsideSkinFolderReport(const std::wstring& name, const std::wstring& folder);
