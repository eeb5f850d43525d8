#include "about_dlg.h"
#include "app/login_start_choice.h"
#include "main_frame.h"
#include "platform/system.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "res/ui_language.h"
#include "skin/skin_menu.h"
#include "sprite/sprite_window.h"

namespace {
constexpr int kLoadSkinPosition = 0;
constexpr int kWindowPosition = 1;
constexpr int32_t kFpsChoices[] = {10, 15, 20, 30, 60};
}  // namespace

uint32_t LanguageCommandFor(const std::optional<std::wstring>& language) {
  const std::optional<UiLanguage> chosen = ParseLanguageChoice(language.value_or(L""));
  if (!chosen) return IDM_LANGUAGE_SYSTEM;
  return *chosen == UiLanguage::Japanese ? IDM_LANGUAGE_JAPANESE : IDM_LANGUAGE_ENGLISH;
}

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
  visible.InsertPopup(kLoadSkinPosition, loadSkinMenu, FindString(IDS_LOAD_SKIN_MENU));
  visible.InsertPopup(kWindowPosition, windowMenu, FindString(IDS_WINDOW_MENU));
  controlMenu.CheckMenuRadioItem(IDM_FPS_10, IDM_FPS_60, FpsCommandFor(settings.fps));
  controlMenu.CheckMenuRadioItem(IDM_LANGUAGE_SYSTEM, IDM_LANGUAGE_ENGLISH, LanguageCommandFor(settings.language));
  RefreshStartAtLoginCheck();
}

void CMainFrame::RefreshStartAtLoginCheck() {
  controlMenu.CheckMenuItem(IDM_START_AT_LOGIN, StartsThisProgramAtLogin());
}

void CMainFrame::ApplyLanguage() {
  SetUiLanguage(ChooseUiLanguage(settings.language.value_or(L""), platform::UserInterfaceLanguage()));
}

void CMainFrame::ShowControlMenu(bool fromTray) {
  RescanSkins();
  ListSkins(loadSkinMenu, loadSkinNames, catalogue);
  bool freeSlot = false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool taken = sprites[slot] != nullptr;
    windowMenu.ModifyMenu(IDM_WINDOW_FIRST + slot, taken ? sprites[slot]->GetSkinName() : std::wstring(FindString(IDS_EMPTY_SLOT)));
    windowMenu.EnableMenuItem(IDM_WINDOW_FIRST + slot, taken);
    freeSlot = freeSlot || !taken;
  }
  CMenu visible = controlMenu.GetSubMenu(0);
  visible.EnableMenuItemAt(kLoadSkinPosition, freeSlot && !catalogue.empty());
  RefreshStartAtLoginCheck();
  // The menu itself, so that its items, marks and language are the same.
  const bool wayBack = fromTray && visible.InsertItem(0, IDM_SHOW_CONTROL_WINDOW, FindString(IDS_SHOW_CONTROL_WINDOW));
  const bool separated = wayBack && visible.InsertSeparator(1);
  visible.TrackPopupMenu(platform::CursorPos(), this);
  if (separated) visible.DeleteMenu(1);
  if (wayBack) visible.DeleteMenu(0);
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

void CMainFrame::OnLanguage(uint32_t id) {
  if (id == IDM_LANGUAGE_SYSTEM) {
    settings.language.reset();
  } else {
    settings.language = LanguageChoiceText(id == IDM_LANGUAGE_JAPANESE ? UiLanguage::Japanese : UiLanguage::English);
  }
  ApplyLanguage();
  BuildMenus();
  UpdateTrayIcon();
  for (CSpriteWindow* sprite : sprites) {
    if (sprite != nullptr) sprite->RebuildPopupMenu();
  }
}

void CMainFrame::OnStartAtLogin() {
  controlMenu.CheckMenuItem(IDM_START_AT_LOGIN, ChooseStartAtLogin(!StartsThisProgramAtLogin()));
}

void CMainFrame::OnAppAbout() {
  CAboutDlg about;
  about.DoModal(this);
}
