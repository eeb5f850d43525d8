#pragma once
// The control window: status text, control menu, the table of sprite windows,
// the skin catalogue and the settings; its frame tick drives every sprite.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/sprite_slot.h"
#include "platform/menu.h"
#include "platform/monitors.h"
#include "platform/wnd.h"
#include "skin/skin_info.h"
#include "sprite/sprite_host.h"

class CSpriteWindow;

// The control window's outer size at 96 dpi; it grows with the display scale.
inline constexpr Size kControlWindowSize{320, 240};
inline constexpr uintptr_t kStatusTimerId = 1;
inline constexpr uint32_t kStatusTimerPeriodMs = 1000;

// The whole milliseconds a tick sleeps at this frame rate after elapsedMs,
// or nothing when the frame time is used up. A rate of 0 or below paces as the default.
std::optional<uint32_t> FrameSleep(int32_t fps, uint32_t elapsedMs);
// The frame-rate menu item that shows fps as checked.
uint32_t FpsCommandFor(int32_t fps);
// The language menu item that shows [General] Language as checked: the
// system's for none or for a value that chooses no language.
uint32_t LanguageCommandFor(const std::optional<std::wstring>& language);
std::wstring FormatStatusBody(int spriteCount, int32_t fps, size_t skinCount, const std::wstring& currentDir);

class CMainFrame : public CFrameWnd, public SpriteHost {
 public:
  CMainFrame() = default;
  ~CMainFrame() override;

  bool DestroyWindow() override;
  void TickFrame();
  // True while a sprite has a frame to draw or a drift to follow; otherwise the
  // frame tick has nothing to do until a message or a worker's new frame.
  bool HasSpriteWork() const;
  // With no sprite work: waits for a message or a worker's new frame, or,
  // while frames come faster than the frame rate, for a message or the next
  // tick, which takes the frames published meanwhile together.
  void WaitForSpriteWork();
  // The menus, in the language now chosen; again after the user chooses another.
  void BuildMenus();
  // The language the settings or else the system choose becomes the one of menus and texts.
  void ApplyLanguage();
  // Reads the skin folder again: skins come and go while the program runs.
  void RescanSkins() override;
  // fromTray: the tray icon's menu, which is this one with the way back to
  // the control window added.
  void ShowControlMenu(bool fromTray = false);
  // The start-at-login mark as the login entry now is: the user may have
  // removed it, or pointed it at another copy, since the last look.
  void RefreshStartAtLoginCheck();
  // Brings the control window back on screen and in front: from the tray, or
  // when a second start hands over to this one.
  void ShowControlWindow();

  // replacing: the sprite takes the place of one just closed in slot, and
  // stands rather than vanishing when it cannot get a worker.
  bool CreateSprite(int slot, const std::wstring& skinName, bool replacing = false);
  void ReplaceSprite(int slot, const std::wstring& skinName) override;
  void DestroySprites();
  // Empties a slot whose sprite window closes itself; the object is deleted.
  void CloseSprite(int slot) override;
  std::vector<Rect> TakenPlaces(const CSpriteWindow* sprite) const override;

  std::array<CSpriteWindow*, kSlotCount> sprites{};
  SkinCatalogue catalogue;
  AppSettings settings;
  CMenu controlMenu;
  CMenu loadSkinMenu;
  SkinNames loadSkinNames;  // what loadSkinMenu lists
  CMenu windowMenu;
  // Set before creation by a start that asks for the tray: the control
  // window goes there instead of opening, where a tray exists.
  bool startInTray = false;

 protected:
  bool PreCreateWindow(CreateStruct& cs) override;
  int OnCreate(const CreateStruct& cs) override;
  void OnPaint() override;
  void OnTimer(uintptr_t id) override;
  void OnContextMenu(Point) override;
  bool OnCommand(uint32_t id) override;
  bool OnQueryEndSession() override;
  void OnEndSession(bool ending) override;
  // A monitor came or went: sprites left where none shows are brought back.
  void OnDisplayChange() override;
  void OnDpiChanged(int32_t newDpi, const Rect& suggested) override;
  // With a tray, the minimised control window goes there, out of the taskbar.
  void OnMinimize() override;
  // A click shows or hides the control window.
  void OnTrayIconClick() override;
  void OnTrayIconMenu() override;

 private:
  void OnExit();
  void OnLoadSkin(uint32_t id);
  void OnWindowItem(uint32_t id);
  void OnFps(uint32_t id);
  void OnLanguage(uint32_t id);
  void OnStartAtLogin();
  void OnAppAbout();
  // The tray icon with its tooltip in the language now chosen.
  void UpdateTrayIcon();
  // Every live sprite's skin name into the settings, empty for empty slots
  // but those holding a name kept from the start.
  void CaptureSkinNames();
  // The lowest empty slot, one holding a kept name only when no other is
  // left; AnySlot when the table is full.
  int FreeSlot() const;
  // Tells the user, once a run, which file refused the settings and why.
  void ReportSaveFailure();
  // Saves when something the user chose changed since the last save, or a
  // standing sprite came to rest at a new place (seen at two timer ticks in
  // a row, so a drag writes once, after it ends). A drifting sprite's place
  // alone is no reason: it goes with the next save.
  void SaveChanges();
  // Every sprite's place into the settings, and the settings into the file.
  void SaveSettings();

  // What the settings held at the last save, and where each sprite stood at
  // the last timer tick.
  struct SavedValues {
    int32_t fps = kDefaultFps;
    std::optional<std::wstring> language;
    std::array<WindowSettings, kSlotCount> windows;
  };
  SavedValues lastSaved;
  std::array<std::optional<Point>, kSlotCount> lastSeenAt{};

  uint32_t lastTickTime = 0;
  bool pacing = false;           // the next wait ends at the next tick
  bool afterPacingWait = false;  // the last wait was one
  bool closing = false;
  bool saveFailureReported = false;
  // Slots whose saved skin could not be brought up at start (a renamed
  // folder, an unplugged drive): the name stays in the settings until a
  // sprite takes the slot.
  std::array<bool, kSlotCount> skinNameKept{};
  // The scale of the monitor the window is on; sizes and text follow it.
  int32_t dpi = kDefaultDpi;
};
