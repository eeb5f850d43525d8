#include <algorithm>

#include "platform/system.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "skin/skin_menu.h"
#include "motion/range_conversion.h"
#include "sprite/sprite_window.h"

bool CSpriteWindow::BuildPopupMenu() {
  if (!skinSwitchMenu.CreatePopupMenu() || !ListSwitchSkins()) return false;
  if (!popupMenu.LoadMenu(IDR_SPRITE_MENU)) return false;
  CMenu visible = popupMenu.GetSubMenu(0);
  return visible.InsertPopup(0, skinSwitchMenu, FindString(IDS_SWITCH_SKIN_MENU));
}

void CSpriteWindow::RebuildPopupMenu() {
  skinSwitchMenu.DestroyMenu();
  popupMenu.DestroyMenu();
  skinSwitchNames.clear();  // the new submenu lists them all again
  // Out of menus: the sprite goes on without one, and its items stay
  // reachable from nowhere until the next rebuild.
  if (!BuildPopupMenu()) return;
  popupMenu.CheckMenuItem(IDM_TOPMOST, topMost);
  MarkMotion();
}

bool CSpriteWindow::ListSwitchSkins() {
  const bool listed = ListSkins(skinSwitchMenu, skinSwitchNames, catalogue);
  const auto own = std::find(skinSwitchNames.begin(), skinSwitchNames.end(), skin.name);
  if (own != skinSwitchNames.end()) {
    skinSwitchMenu.CheckMenuRadioItem(IDM_SKIN_FIRST, IDM_SKIN_LAST,
                                      IDM_SKIN_FIRST + static_cast<uint32_t>(own - skinSwitchNames.begin()));
  } else {
    // The skin's folder went away: no other skin may keep a mark it inherited.
    for (uint32_t i = 0; i < skinSwitchNames.size(); ++i) skinSwitchMenu.CheckMenuItem(IDM_SKIN_FIRST + i, false);
  }
  return listed;
}

void CSpriteWindow::MarkMotion() {
  const bool drifting = moving.load(std::memory_order_relaxed) == 1;
  popupMenu.CheckMenuRadioItem(IDM_MOVE_STOP, IDM_MOVE_DRIFT, drifting ? IDM_MOVE_DRIFT : IDM_MOVE_STOP);
}

void CSpriteWindow::OnLButtonDown(Point at) { PostMessage(wm::kNcLButtonDown, kHitCaption, PackPoint(at.x, at.y)); }

void CSpriteWindow::OnLButtonDblClk(Point) { ShowRangeEditor(); }

void CSpriteWindow::OnContextMenu(Point) { ShowPopupMenu(); }

void CSpriteWindow::ShowPopupMenu() {
  host.RescanSkins();
  ListSwitchSkins();
  popupMenu.GetSubMenu(0).TrackPopupMenu(platform::CursorPos(), this);
}

bool CSpriteWindow::OnCommand(uint32_t id) {
  switch (id) {
    case IDM_EDIT_MOVE_RANGE: ShowRangeEditor(); return true;
    case IDM_CLOSE_SPRITE: OnCloseSprite(); return true;
    case IDM_TOPMOST: OnToggleTopMost(); return true;
    case IDM_MOVE_STOP: OnMoveStop(); return true;
    case IDM_MOVE_DRIFT: OnMoveDrift(); return true;
    default: break;
  }
  if (id >= IDM_SKIN_FIRST && id <= IDM_SKIN_LAST) {
    OnSwitchSkin(id);
    return true;
  }
  return false;
}

void CSpriteWindow::ShowRangeEditor() {
  const MoveRange range{moveRange.left.load(std::memory_order_relaxed), moveRange.top.load(std::memory_order_relaxed),
                        moveRange.right.load(std::memory_order_relaxed),
                        moveRange.bottom.load(std::memory_order_relaxed)};
  const Rect pixels = RangeToPixels(range, platform::ScreenSize());
  rangeEditor.SetWindowPos(ZOrder::Keep, pixels.left, pixels.top, pixels.Width(), pixels.Height(),
                           swp::kShowWindow | swp::kNoZOrder);
  // Read back: the window system may have limited the size.
  editorPlaced = EditorPlacement{rangeEditor.GetWindowRect(), range};
}

intptr_t CSpriteWindow::OnRangeAccepted() {
  const Rect accepted = rangeEditor.GetWindowRect();
  const std::optional<EditorPlacement> placed = editorPlaced;
  editorPlaced.reset();
  const auto range =
      placed && placed->rect == accepted ? std::optional(placed->range) : PixelsToRange(accepted, platform::ScreenSize());
  if (!range) return 0;
  // Only converted values reach moveRange: the motion thread reads it.
  moveRange.Store(range->left, range->top, range->right, range->bottom);
  settings.moveRange = *range;
  return 0;
}

void CSpriteWindow::OnToggleTopMost() {
  topMost = !topMost;
  popupMenu.CheckMenuItem(IDM_TOPMOST, topMost);
  SetWindowPos(topMost ? ZOrder::TopMost : ZOrder::NoTopMost, 0, 0, 0, 0,
               swp::kNoSize | swp::kNoMove | swp::kNoActivate);
  settings.topMost = topMost ? 1 : 0;
}

void CSpriteWindow::OnMoveStop() {
  moving.store(0, std::memory_order_relaxed);
  settings.moveMethod = 0;
  RestartWorker();
  MarkMotion();
}

void CSpriteWindow::OnMoveDrift() {
  moving.store(1, std::memory_order_relaxed);
  settings.moveMethod = 1;
  RestartWorker();
  MarkMotion();
}

// Both end this object: nothing of it may be touched after the call.
void CSpriteWindow::OnCloseSprite() { host.CloseSprite(slot); }

void CSpriteWindow::OnSwitchSkin(uint32_t id) {
  const std::wstring name = ListedSkin(skinSwitchNames, id);
  if (!name.empty()) host.ReplaceSprite(slot, name);
}
