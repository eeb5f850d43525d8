#include "main_frame.h"

#include "platform/tray.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "skin/skin_catalogue.h"
#include "sprite/sprite_window.h"

CMainFrame::~CMainFrame() = default;

bool CMainFrame::PreCreateWindow(CreateStruct& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return false;
  RegisterWindowClass({L"kitemaru", cs::kDblClks | cs::kHRedraw | cs::kVRedraw, ClassBrush::Black, IDI_KITEMARU});
  cs.exStyle &= ~ws::kExClientEdge;
  cs.className = L"kitemaru";
  return true;
}

int CMainFrame::OnCreate(const CreateStruct& cs) {
  CFrameWnd::OnCreate(cs);
  dpi = platform::WindowDpi(GetSafeHwnd());
  if (dpi != kDefaultDpi) {
    SetWindowPos(ZOrder::Keep, 0, 0, ScaleForDpi(kControlWindowSize.cx, dpi), ScaleForDpi(kControlWindowSize.cy, dpi),
                 swp::kNoMove | swp::kNoZOrder | swp::kNoActivate);
  }
  if (!startInTray) ShowWindow(sw::kShow);
  settings.Load();
  ApplyLanguage();
  UpdateTrayIcon();
  if (startInTray && !platform::TrayAvailable()) ShowWindow(sw::kShow);
  ScanSkins(catalogue);
  BuildMenus();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::wstring name = settings.GetSkinName(slot);
    if (!name.empty() && !CreateSprite(slot, name)) skinNameKept[slot] = true;
  }
  lastSaved = {settings.fps, settings.language, settings.windows};
  SetTimer(kStatusTimerId, kStatusTimerPeriodMs);
  return 0;
}

void CMainFrame::CaptureSkinNames() {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (sprites[slot] != nullptr) {
      settings.windows[slot].skinName = sprites[slot]->GetSkinName();
    } else if (!skinNameKept[slot]) {
      settings.windows[slot].skinName.clear();
    }
  }
}

bool CMainFrame::DestroyWindow() {
  // A close that comes while the message of a failed save is up.
  if (closing) return false;
  closing = true;
  KillTimer(kStatusTimerId);
  platform::RemoveTrayIcon();
  CaptureSkinNames();
  DestroySprites();
  if (!settings.Save()) ReportSaveFailure();
  return CFrameWnd::DestroyWindow();
}

bool CMainFrame::OnQueryEndSession() { return true; }

// NOTE: when the session ends the process is killed after this returns,
// without the window ever being destroyed; save what a normal exit would.
void CMainFrame::OnEndSession(bool ending) {
  if (ending) SaveSettings();
}

bool CMainFrame::OnCommand(uint32_t id) {
  if (id == IDM_EXIT) {
    OnExit();
  } else if (id >= IDM_SKIN_FIRST && id <= IDM_SKIN_LAST) {
    OnLoadSkin(id);
  } else if (id >= IDM_WINDOW_FIRST && id <= IDM_WINDOW_LAST) {
    OnWindowItem(id);
  } else if (id >= IDM_FPS_10 && id <= IDM_FPS_60) {
    OnFps(id);
  } else if (id >= IDM_LANGUAGE_SYSTEM && id <= IDM_LANGUAGE_ENGLISH) {
    OnLanguage(id);
  } else if (id == IDM_START_AT_LOGIN) {
    OnStartAtLogin();
  } else if (id == IDM_APP_ABOUT) {
    OnAppAbout();
  } else if (id == IDM_SHOW_CONTROL_WINDOW) {
    ShowControlWindow();
  } else {
    return false;
  }
  return true;
}

void CMainFrame::RescanSkins() { ScanSkins(catalogue); }

void CMainFrame::OnTimer(uintptr_t id) {
  if (id != kStatusTimerId) return;
  SaveChanges();
  RescanSkins();  // for the count the status shows
  Invalidate();
  UpdateWindow();
}

void CMainFrame::OnDisplayChange() {
  for (CSpriteWindow* sprite : sprites) {
    if (sprite != nullptr) sprite->KeepReachable();
  }
}

void CMainFrame::OnDpiChanged(int32_t newDpi, const Rect& suggested) {
  dpi = newDpi;
  SetWindowPos(ZOrder::Keep, suggested.left, suggested.top, suggested.Width(), suggested.Height(),
               swp::kNoZOrder | swp::kNoActivate);
  Invalidate();
}

void CMainFrame::OnExit() { PostMessage(wm::kClose, 0, 0); }
