#include "kitemaru_app.h"

#include <algorithm>
#include <filesystem>
#include <new>

#include "app/app_settings.h"
#include "app/exe_path.h"
#include "app/one_instance.h"
#include "app/start_options.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "res/ui_language.h"
#include "ui/main_frame.h"

namespace {
const Rect kControlWindowRect{0, 0, kControlWindowSize.cx, kControlWindowSize.cy};
}

bool CkitemaruApp::InitInstance() {
  // The settings are read later, by the control window; until then the system's language.
  SetUiLanguage(LanguageOfTag(platform::UserInterfaceLanguage()));
  if (!platform::InitSystemServices()) {
    platform::MessageBoxFromResource(IDS_OLE_INIT_FAILED);
    return false;
  }
  instanceLock = std::make_unique<platform::InstanceLock>(InstanceName(AppSettings().OwnFilePath()));
  if (ClaimOrHandOver(*instanceLock) == StartRole::HandedOver) {
    // The running program has the settings file and shows itself; this
    // start ends through the loop with exit code 0.
    platform::PostQuitMessage(0);
    return true;
  }
  auto* frame = new (std::nothrow) CMainFrame;
  if (frame == nullptr) return false;
  mainWindow = frame;

  // The skin scan and the strips use paths relative to the program's folder.
  std::error_code error;
  std::filesystem::current_path(ToFsPath(GetExeFolder()), error);

  const std::vector<std::wstring> arguments = platform::CommandLineArguments();
  frame->startInTray = std::ranges::find(arguments, kStartInTrayFlag) != arguments.end();
  const uint32_t shown = frame->startInTray ? 0 : ws::kVisible;
  if (!frame->CreateEx(0, L"kitemaru", L"KITE-MARU", ws::kOverlappedWindow | shown, kControlWindowRect, nullptr)) {
    // A refused creation has already destroyed and deleted the frame.
    if (mainWindow == frame) {
      mainWindow = nullptr;
      delete frame;
    }
    return false;
  }
  if (frame->IsWindowVisible()) {
    frame->ShowWindow(sw::kShow);
    frame->UpdateWindow();
  }
  instanceLock->ServeShowRequests([this] {
    if (mainWindow != nullptr) static_cast<CMainFrame*>(mainWindow)->ShowControlWindow();
  });
  return true;
}

bool CkitemaruApp::OnIdle(long) {
  Message message;
  if (platform::PeekMessage(message, true)) {
    if (message.message == wm::kQuit) {
      platform::PostQuitMessage(0);
      return true;
    }
    platform::TranslateMessage(message);
    platform::DispatchMessage(message);
  }
  if (mainWindow == nullptr) return true;
  auto* frame = static_cast<CMainFrame*>(mainWindow);
  // Standing sprites wait for their workers: the loop sleeps until a message
  // or a new frame instead of ticking at the frame rate.
  if (frame->HasSpriteWork()) {
    frame->TickFrame();
  } else {
    frame->WaitForSpriteWork();
  }
  return true;
}
