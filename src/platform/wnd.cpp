#include "wnd.h"

#include "dc.h"
#include "win_constants.h"

CWnd::~CWnd() {
  if (hwnd != nullptr) CWnd::DestroyWindow();
}

bool CWnd::PreCreateWindow(CreateStruct&) { return true; }

int CWnd::OnCreate(const CreateStruct&) { return 0; }

void CWnd::OnClose() { DestroyWindow(); }

void CWnd::OnPaint() { CPaintDC validate(this); }

bool CWnd::Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) noexcept {
  try {
    return Route(message, wParam, lParam, result);
  } catch (...) {
    result = message == wm::kCreate ? -1 : 0;
    return true;
  }
}

bool CWnd::Route(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  result = 0;
  const Point at{PointX(lParam), PointY(lParam)};
  switch (message) {
    case wm::kCreate:
      result = OnCreate(*reinterpret_cast<const CreateStruct*>(lParam));
      return true;
    case wm::kDestroy:
      OnDestroy();
      return false;
    case wm::kClose:
      OnClose();
      return true;
    case wm::kPaint:
      OnPaint();
      return true;
    case wm::kNcPaint:
      return OnNcPaint();
    case wm::kTimer:
      OnTimer(wParam);
      return false;
    case wm::kContextMenu:
      OnContextMenu(at);
      return true;
    case wm::kCommand:
      return OnCommand(static_cast<uint32_t>(wParam & 0xFFFF));
    case wm::kLButtonDown:
      OnLButtonDown(at);
      return false;
    case wm::kLButtonDblClk:
      OnLButtonDblClk(at);
      return false;
    case wm::kRButtonUp:
      OnRButtonUp(at);
      return false;
    case wm::kKeyDown:
      return !OnKeyDown(static_cast<uint32_t>(wParam));
    case wm::kMoving:
      OnMoving();
      return false;
    case wm::kApp:
      result = OnAppMessage();
      return true;
    case wm::kQueryEndSession:
      result = OnQueryEndSession() ? 1 : 0;
      return true;
    case wm::kDisplayChange:
      OnDisplayChange();
      return false;
    case wm::kSize:
      if (wParam == kSizeMinimized) OnMinimize();
      return false;
    case wm::kTrayNotify:
      // lParam: the mouse message on the icon.
      if (lParam == wm::kLButtonUp) OnTrayIconClick();
      if (lParam == wm::kRButtonUp) OnTrayIconMenu();
      return true;
    case wm::kDpiChanged:
      // lParam: the suggested rectangle, as a Rect (the backend converts it).
      OnDpiChanged(static_cast<int32_t>(wParam & 0xFFFF), *reinterpret_cast<const Rect*>(lParam));
      return true;
    case wm::kEndSession:
      OnEndSession(wParam != 0);
      return true;
    default:
      return false;
  }
}

bool CFrameWnd::PreCreateWindow(CreateStruct& cs) {
  cs.exStyle |= ws::kExClientEdge;
  return true;
}

namespace {
CFrameWnd::GoneHook frameGone = nullptr;
}

void CFrameWnd::SetGoneHook(GoneHook hook) { frameGone = hook; }

void CFrameWnd::PostNcDestroy() {
  if (frameGone != nullptr) frameGone(this);
  delete this;
}
