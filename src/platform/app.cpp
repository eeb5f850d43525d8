#include "app.h"

#include "win_constants.h"

namespace {
CWinApp* theApplication = nullptr;

void EndLoopWithMainWindow(CFrameWnd* frame) {
  if (theApplication != nullptr && theApplication->mainWindow == frame) {
    theApplication->mainWindow = nullptr;
    platform::PostQuitMessage(0);
  }
}
}  // namespace

CWinApp* AfxGetApp() { return theApplication; }

CWinApp::CWinApp() {
  theApplication = this;
  CFrameWnd::SetGoneHook(&EndLoopWithMainWindow);
}

CWinApp::~CWinApp() {
  if (theApplication != this) return;
  theApplication = nullptr;
  CFrameWnd::SetGoneHook(nullptr);
}

bool CWinApp::OnIdle(long) { return false; }

int CWinApp::Run() {
  long idleCount = 0;
  Message message;
  for (;;) {
    bool idle = true;
    while (idle && !platform::PeekMessage(message, false)) {
      // A failed idle step (the frame tick) is skipped, not fatal; the
      // window procedures guard the dispatched messages the same way.
      try {
        idle = OnIdle(idleCount++);
      } catch (...) {
        idle = false;
      }
    }
    if (!platform::GetMessage(message)) return static_cast<int>(message.wParam);
    idleCount = 0;
    platform::TranslateMessage(message);
    platform::DispatchMessage(message);
  }
}
