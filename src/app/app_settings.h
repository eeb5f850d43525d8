#pragma once
// The in-memory image of config.ini: the frame rate and, per sprite slot, the
// move range, always-on-top flag, skin name, motion mode and position. Read
// once when the control window is created; written soon after the user
// changes something, and when it goes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/move_range.h"
#include "app/settings_file.h"
#include "app/sprite_slot.h"
#include "platform/geometry.h"

inline constexpr int32_t kDefaultFps = 30;
// A frame rate that is not a positive number (FPS=abc, 0, -5) would run the
// loop unpaced and burn a core; it runs and is saved as the default.
inline constexpr int32_t UsableFps(int32_t fps) { return fps > 0 ? fps : kDefaultFps; }
inline constexpr MoveRange kDefaultMoveRange{0x3FFF, 0x3FFF, 0xBFFF, 0xBFFF};

// One slot's row across the per-slot arrays: one "Window%d" section.
struct WindowSettings {
  MoveRange moveRange = kDefaultMoveRange;
  int32_t topMost = 0;
  std::wstring skinName;
  int32_t moveMethod = 0;
  // Nothing for a place that has never held a sprite: a new one there is put
  // where it can be seen. Saved as an empty value, which earlier versions
  // read as 0, 0, as they read a missing key.
  std::optional<Point> position;
  friend bool operator==(const WindowSettings&, const WindowSettings&) = default;
};

class AppSettings {
 public:
  // config.ini in the executable's folder.
  AppSettings();
  explicit AppSettings(std::wstring path, bool besideProgram = kSettingsBesideProgram)
      : file(std::move(path), besideProgram) {}

  // Every field from the file; missing values take their defaults. Always true.
  bool Load();
  // Every field into the file, keeping whatever else it holds, in its own
  // form; see SettingsFile for where it goes. False when no place took the
  // settings (LastSaveFailure says which file refused and why); a frozen file is
  // no failure. A failed write leaves the old file intact.
  bool Save();
  const SaveFailure& LastSaveFailure() const { return file.LastFailure(); }
  std::wstring OwnFilePath() const { return file.OwnPath(); }

  // Empty for a slot outside 0..kSlotCount - 1.
  std::wstring GetSkinName(int slot) const;
  // Defaults for a slot outside 0..kSlotCount - 1.
  WindowSettings GetWindowSettings(int slot) const;

  int32_t fps = kDefaultFps;
  // [General] Language as the file has it ("ja", "en", or what a user typed);
  // nothing when the file has no such key, and then none is written.
  std::optional<std::wstring> language;
  // Section "Window<slot>" of the file; each sprite works on its own.
  std::array<WindowSettings, kSlotCount> windows;

 private:
  SettingsFile file;
};

// "Window%d".
std::wstring WindowSectionName(int slot);
// The two integers of section/"Position"; nothing unless the text holds at
// least two comma-separated pieces.
std::optional<Point> ReadPosition(const IniDocument& ini, std::wstring_view section);
