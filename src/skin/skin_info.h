#pragma once
// The in-memory image of one skin.ini, and the list of installed skins.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_path.h"

// The strip a sprite shows; only Default is ever chosen, the others are read,
// checked and decoded alike. Numbered 0 to 4 in this order.
enum class AnimState : int32_t { Default, Up, Down, Left, Right };

// skin.ini section of each AnimState, in AnimState order.
inline constexpr const wchar_t* kAnimStateNames[] = {L"Default", L"Up", L"Down", L"Left", L"Right"};

inline constexpr int32_t kDefaultAnimationFrame = 1;
inline constexpr int32_t kDefaultAnimationWait = 500;

// Per state s, file[s], animationFrame[s] and animationWait[s] form its
// animation: the strip (empty: none), its frame count and the milliseconds
// per frame, stored as read (a count below 1 is refused when decoding).
struct SkinInfo {
  static constexpr int kStateCount = 5;

  std::wstring name;
  std::wstring folder = kSkinFolder;  // the skin folder holding the skin
  std::wstring file[kStateCount];
  int32_t animationFrame[kStateCount] = {};
  int32_t animationWait[kStateCount] = {};
};

// One installed skin: its name and the skin folder it was found in.
struct CatalogueSkin {
  std::wstring name;
  std::wstring folder = kSkinFolder;

  bool operator==(const CatalogueSkin&) const = default;
};

// Installed skins in listing order, no name twice; menus address them by
// position.
using SkinCatalogue = std::vector<CatalogueSkin>;
// The skin names a menu lists, in its order.
using SkinNames = std::vector<std::wstring>;

// The menus offer only the first this many entries of the whole catalogue, so that every skin
// command stays below the commands of the control menu's window items.
// Later skins can still be restored by name from config.ini.
inline constexpr size_t kMaxMenuSkins = 1000;
