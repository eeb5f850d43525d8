#include "about_dlg.h"
#include "main_frame.h"
#include "platform/system.h"
#include "res/resource_ids.h"
#include "skin/skin_menu.h"
#include "sprite/sprite_window.h"

namespace {
const wchar_t kLoadSkinText[] = L"空いてるところにスキン読み込み(&K)";
const wchar_t kWindowText[] = L"ウィンドウ(&W)";
const wchar_t kEmptySlotText[] = L"(なし)";
constexpr int kLoadSkinPosition = 0;
constexpr int kWindowPosition = 1;
constexpr int32_t kFpsChoices[] = {10, 15, 20, 30, 60};
}  // namespace

uint32_t FpsCommandFor(int32_t fps) {
  for (uint32_t i = 0; i < std::size(kFpsChoices); ++i) {
    if (kFpsChoices[i] == fps) return IDM_FPS_10 + i;
  }
  return IDM_FPS_30;
}

void CMainFrame::BuildMenus() {
  loadSkinMenu.CreatePopupMenu();
  loadSkinNames.clear();
  ListSkins(loadSkinMenu, loadSkinNames, catalogue);
  windowMenu.CreatePopupMenu();
  for (uint32_t slot = 0; slot < kSlotCount; ++slot) windowMenu.AppendMenu(IDM_WINDOW_FIRST + slot, L"");
  controlMenu.LoadMenu(IDR_CONTROL_MENU);
  CMenu visible = controlMenu.GetSubMenu(0);
  visible.InsertPopup(kLoadSkinPosition, loadSkinMenu, kLoadSkinText);
  visible.InsertPopup(kWindowPosition, windowMenu, kWindowText);
  controlMenu.CheckMenuRadioItem(IDM_FPS_10, IDM_FPS_60, FpsCommandFor(settings.fps));
}

void CMainFrame::ShowControlMenu() {
  RescanSkins();
  ListSkins(loadSkinMenu, loadSkinNames, catalogue);
  bool freeSlot = false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool taken = sprites[slot] != nullptr;
    windowMenu.ModifyMenu(IDM_WINDOW_FIRST + slot, taken ? sprites[slot]->GetSkinName() : std::wstring(kEmptySlotText));
    windowMenu.EnableMenuItem(IDM_WINDOW_FIRST + slot, taken);
    freeSlot = freeSlot || !taken;
  }
  CMenu visible = controlMenu.GetSubMenu(0);
  visible.EnableMenuItemAt(kLoadSkinPosition, freeSlot && !catalogue.empty());
  visible.TrackPopupMenu(platform::CursorPos(), this);
}

void CMainFrame::OnContextMenu(Point) { ShowControlMenu(); }

void CMainFrame::OnLoadSkin(uint32_t id) {
  const std::wstring name = ListedSkin(loadSkinNames, id);
  if (!name.empty()) CreateSprite(AnySlot, name);
}

void CMainFrame::OnWindowItem(uint32_t id) {
  const uint32_t slot = id - IDM_WINDOW_FIRST;
  if (slot >= kSlotCount || sprites[slot] == nullptr) return;
  sprites[slot]->ShowPopupMenu();
}

void CMainFrame::OnFps(uint32_t id) {
  settings.fps = kFpsChoices[id - IDM_FPS_10];
  controlMenu.CheckMenuRadioItem(IDM_FPS_10, IDM_FPS_60, id);
}

void CMainFrame::OnAppAbout() {
  CAboutDlg about;
  about.DoModal(this);
}
