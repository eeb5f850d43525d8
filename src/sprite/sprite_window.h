#pragma once
// One mascot on the desktop: a borderless per-pixel-alpha window showing the
// current frame of its skin, with its worker thread, its menu and its
// move-range editor. It works directly on its slot's settings and asks its
// host for what goes beyond itself.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "app/app_settings.h"
#include "app/move_range.h"
#include "platform/menu.h"
#include "platform/wnd.h"
#include "skin/offscreen_surface.h"
#include "skin/skin_info.h"
#include "motion/motion_worker_state.h"
#include "sprite/size_window.h"
#include "sprite/sprite_host.h"

class CSpriteWindow : public CWnd, public SpriteWorkerState {
 public:
  // settings and catalogue outlive the sprite; catalogue is the one that
  // host.RescanSkins() reads again.
  CSpriteWindow(SpriteHost& host, WindowSettings& settings, const SkinCatalogue& catalogue, int slot);
  ~CSpriteWindow() override;

  // Stops the worker, stores the position, releases the editor and strips.
  bool DestroyWindow() override;
  std::wstring GetSkinName() const { return skin.name; }
  // Pushes the current frame to the screen, or the placeholder tile when the
  // skin has none to show.
  void Render();
  // The frame tick's share of this sprite: draws a frame the worker changed
  // and moves the window where the worker put its target.
  void FollowWorker();
  // True while the frame tick has something to do for this sprite: a frame to
  // draw or a drift to follow.
  bool HasWork() const;
  bool IsDrifting() const { return moving.load(std::memory_order_relaxed) == 1; }
  // The window's top-left corner becomes the slot's saved position.
  void StorePosition();
  // A sprite too little of which shows on any monitor's work area moves
  // onto the nearest one; a reachable sprite stays exactly where it is.
  void KeepReachable();
  void ShowRangeEditor();
  // Its menu, its skins read again first.
  void ShowPopupMenu();
  // The menu again from its template, in the language now chosen, with its marks.
  void RebuildPopupMenu();

  SpriteHost& host;
  WindowSettings& settings;
  const SkinCatalogue& catalogue;
  std::array<std::unique_ptr<OffscreenSurface>, kAnimStateCount> surfaces;
  // Made at creation, and only for a skin whose Default strip has no frame.
  OffscreenSurface placeholder;
  SkinInfo skin;
  std::thread worker;
  CSizeWindow rangeEditor;
  CMenu popupMenu;
  CMenu skinSwitchMenu;
  SkinNames skinSwitchNames;  // what skinSwitchMenu lists
  int slot;
  bool topMost = false;
  // Set before its window is created: a sprite that replaces another one
  // stands without a worker rather than vanishing when none can be started.
  bool standWithoutWorker = false;

 protected:
  int OnCreate(const CreateStruct& cs) override;
  void OnLButtonDown(Point at) override;
  void OnLButtonDblClk(Point at) override;
  void OnContextMenu(Point at) override;
  bool OnCommand(uint32_t id) override;
  intptr_t OnAppMessage() override { return OnRangeAccepted(); }
  // Alt+F4 on a sprite closes it as its menu does, emptying its slot.
  void OnClose() override { OnCloseSprite(); }

 private:
  // Undoes a creation that cannot be completed; the result for OnCreate.
  int RefuseCreation();
  // Where this sprite appears in a place that has never held one: in sight,
  // clear of the control window and the other sprites.
  Point FirstPlace() const;
  // False when a file is missing or the system has no room for a strip.
  bool LoadStrips();
  void ReleaseStrips();
  // False when the sprite needs the placeholder and the system cannot make it.
  bool ReadyPlaceholder();
  bool BuildPopupMenu();
  // The switch list as the catalogue holds it now, the sprite's own skin marked.
  bool ListSwitchSkins();
  // Radio-marks what the sprite does now: standing or drifting.
  void MarkMotion();
  bool StartWorker();
  void StopWorker();
  void RestartWorker();
  void OnToggleTopMost();
  void OnMoveStop();
  void OnMoveDrift();
  void OnCloseSprite();
  void OnSwitchSkin(uint32_t id);
  intptr_t OnRangeAccepted();

  // Where the editor was put for the stored range: accepting it there
  // unchanged keeps that range to the unit, where a round trip through
  // pixels would not.
  struct EditorPlacement {
    Rect rect;
    MoveRange range;
  };
  std::optional<EditorPlacement> editorPlaced;
};
