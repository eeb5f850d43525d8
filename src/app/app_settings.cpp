#include "app/app_settings.h"

#include "app/exe_path.h"
#include "app/profile.h"

namespace {

constexpr wchar_t kGeneral[] = L"General";
constexpr wchar_t kLanguage[] = L"Language";

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
  return IsSlot(slot) ? windows[slot].skinName : std::wstring();
}

bool AppSettings::Load() {
  IniFile image;
  file.Load(image);
  const IniDocument& ini = image.document;
  fps = UsableFps(ReadProfileInt(ini, kGeneral, L"FPS", kDefaultFps));
  language = ini.Find(kGeneral, kLanguage);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::wstring section = WindowSectionName(slot);
    WindowSettings& window = windows[slot];
    window.moveRange.left = ReadProfileInt(ini, section, L"MoveRangeLeft", kDefaultMoveRange.left);
    window.moveRange.top = ReadProfileInt(ini, section, L"MoveRangeTop", kDefaultMoveRange.top);
    window.moveRange.right = ReadProfileInt(ini, section, L"MoveRangeRight", kDefaultMoveRange.right);
    window.moveRange.bottom = ReadProfileInt(ini, section, L"MoveRangeBottom", kDefaultMoveRange.bottom);
    window.topMost = ReadProfileInt(ini, section, L"TopMost", 0);
    window.skinName = ReadProfileString(ini, section, L"SkinName", L"");
    window.moveMethod = ReadProfileInt(ini, section, L"MoveMethod", 0);
    window.position = ReadPosition(ini, section);
  }
  return true;
}

bool AppSettings::Save() {
  IniFile image;
  if (!file.Reload(image)) return true;  // frozen: nothing is to be written
  IniDocument& ini = image.document;
  ini.Set(kGeneral, L"FPS", IntText(UsableFps(fps)));
  if (language) {
    // The value as read: a quoted one keeps its quotes.
    if (ini.Find(kGeneral, kLanguage) != language) ini.Set(kGeneral, kLanguage, *language);
  } else {
    ini.Remove(kGeneral, kLanguage);
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::wstring section = WindowSectionName(slot);
    const WindowSettings& window = windows[slot];
    ini.Set(section, L"MoveRangeLeft", IntText(window.moveRange.left));
    ini.Set(section, L"MoveRangeTop", IntText(window.moveRange.top));
    ini.Set(section, L"MoveRangeRight", IntText(window.moveRange.right));
    ini.Set(section, L"MoveRangeBottom", IntText(window.moveRange.bottom));
    ini.Set(section, L"TopMost", IntText(window.topMost));
    ini.Set(section, L"SkinName", window.skinName);
    ini.Set(section, L"MoveMethod", IntText(window.moveMethod));
    const std::optional<Point>& at = window.position;
    ini.Set(section, L"Position", at ? IntText(at->x) + L", " + IntText(at->y) : std::wstring());
  }
  return file.Save(image);
}
