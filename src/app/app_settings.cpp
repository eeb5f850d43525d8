#include "app/app_settings.h"

#include "app/exe_path.h"
#include "app/profile.h"

namespace {

constexpr wchar_t kGeneral[] = L"General";

bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

std::wstring IntText(int32_t value) { return std::to_wstring(value); }

}  // namespace

std::wstring WindowSectionName(int slot) { return L"Window" + std::to_wstring(slot); }

std::optional<Point> ReadPosition(const IniDocument& ini, std::wstring_view section) {
  const std::wstring text = ReadProfileString(ini, section, L"Position", L"");
  int32_t values[2] = {};
  int pieces = 0;
  size_t start = 0;
  while (pieces < 2 && start <= text.size()) {
    size_t end = text.find(L',', start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) values[pieces++] = ParseProfileInt(std::wstring_view(text).substr(start, end - start));
    start = end + 1;
  }
  if (pieces < 2) return std::nullopt;
  return Point{values[0], values[1]};
}

AppSettings::AppSettings() : file(MakeExePath(L"config.ini")) {}

std::wstring AppSettings::GetSkinName(int slot) const {
  return IsSlot(slot) ? skinName[slot] : std::wstring();
}

WindowSettings AppSettings::GetWindowSettings(int slot) const {
  if (!IsSlot(slot)) return WindowSettings{};
  return WindowSettings{moveRange[slot], topMost[slot], skinName[slot], moveMethod[slot], position[slot]};
}

bool AppSettings::Load() {
  IniFile image;
  file.Load(image);
  const IniDocument& ini = image.document;
  fps = UsableFps(ReadProfileInt(ini, kGeneral, L"FPS", kDefaultFps));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::wstring section = WindowSectionName(slot);
    moveRange[slot].left = ReadProfileInt(ini, section, L"MoveRangeLeft", kDefaultMoveRange.left);
    moveRange[slot].top = ReadProfileInt(ini, section, L"MoveRangeTop", kDefaultMoveRange.top);
    moveRange[slot].right = ReadProfileInt(ini, section, L"MoveRangeRight", kDefaultMoveRange.right);
    moveRange[slot].bottom = ReadProfileInt(ini, section, L"MoveRangeBottom", kDefaultMoveRange.bottom);
    topMost[slot] = ReadProfileInt(ini, section, L"TopMost", 0);
    skinName[slot] = ReadProfileString(ini, section, L"SkinName", L"");
    moveMethod[slot] = ReadProfileInt(ini, section, L"MoveMethod", 0);
    position[slot] = ReadPosition(ini, section);
  }
  return true;
}

bool AppSettings::Save() {
  IniFile image;
  if (!file.Reload(image)) return true;  // frozen: nothing is to be written
  IniDocument& ini = image.document;
  ini.Set(kGeneral, L"FPS", IntText(UsableFps(fps)));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::wstring section = WindowSectionName(slot);
    ini.Set(section, L"MoveRangeLeft", IntText(moveRange[slot].left));
    ini.Set(section, L"MoveRangeTop", IntText(moveRange[slot].top));
    ini.Set(section, L"MoveRangeRight", IntText(moveRange[slot].right));
    ini.Set(section, L"MoveRangeBottom", IntText(moveRange[slot].bottom));
    ini.Set(section, L"TopMost", IntText(topMost[slot]));
    ini.Set(section, L"SkinName", skinName[slot]);
    ini.Set(section, L"MoveMethod", IntText(moveMethod[slot]));
    const std::optional<Point>& at = position[slot];
    ini.Set(section, L"Position", at ? IntText(at->x) + L", " + IntText(at->y) : std::wstring());
  }
  return file.Save(image);
}
