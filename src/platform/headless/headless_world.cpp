#include <algorithm>

#include "headless_world.h"
#include "platform/win_constants.h"

namespace headless::detail {

World& TheWorld() {
  static World world;
  return world;
}

Window* Find(WindowHandle handle) { return static_cast<Window*>(soft::Find(handle)); }

bool Refused(Resource what) {
  std::atomic<int>& countdown = TheWorld().refuseIn[static_cast<int>(what)];
  int left = countdown.load();
  while (left > 0 && !countdown.compare_exchange_weak(left, left - 1)) {
  }
  return left == 1;
}

}  // namespace headless::detail

namespace headless {

using detail::TheWorld;

namespace {
MonitorInfo SingleMonitor(Size size) {
  const Rect area{0, 0, size.cx, size.cy};
  return {area, area, kDefaultDpi, true};
}
}  // namespace

void Reset() {
  soft::Reset();
  auto& world = TheWorld();
  world.clock = 0;
  world.uiSleeps.clear();
  world.uiWaits = 0;
  world.uiTimedWaits.clear();
  world.screen = {1920, 1080};
  SetMonitors({SingleMonitor(world.screen)});
  world.cursor = {};
  world.keysDown.clear();
  world.exePath.clear();
  world.oleAvailable = true;
  world.messageBoxes.clear();
  world.messageBoxTexts.clear();
  world.menuResponder = nullptr;
  world.dialogsShown = 0;
  world.lastDialogCaption.clear();
  world.uiLanguage = L"ja-JP";
  world.commandLine.clear();
  world.trayPresent = false;
  world.trayOwner = nullptr;
  world.trayTip.clear();
  world.uiThread = std::this_thread::get_id();
  for (auto& countdown : world.refuseIn) countdown = 0;
  world.ansiCodePage = 932;
  world.fileFaults = detail::FileFaults{};
  world.instanceHolders.clear();
  world.autostartFolder.clear();
}

void SetKeyDown(uint32_t virtualKey, bool down) {
  if (down) {
    TheWorld().keysDown.insert(virtualKey);
  } else {
    TheWorld().keysDown.erase(virtualKey);
  }
}
uint32_t Clock() { return TheWorld().clock; }
void SetClock(uint32_t milliseconds) { TheWorld().clock = milliseconds; }
void AdvanceClock(uint32_t milliseconds) { TheWorld().clock += milliseconds; }
const std::vector<uint32_t>& UiSleeps() { return TheWorld().uiSleeps; }
int UiWaits() { return TheWorld().uiWaits; }
const std::vector<uint32_t>& UiTimedWaits() { return TheWorld().uiTimedWaits; }
void SetExecutablePath(const std::wstring& path) { TheWorld().exePath = path; }
void SetOleAvailable(bool available) { TheWorld().oleAvailable = available; }
const std::vector<uint32_t>& MessageBoxes() { return TheWorld().messageBoxes; }
const std::vector<std::wstring>& MessageBoxTexts() { return TheWorld().messageBoxTexts; }

std::vector<WindowHandle> Windows() {
  std::lock_guard lock(soft::TheWorld().mutex);
  return {soft::TheWorld().windows.begin(), soft::TheWorld().windows.end()};
}

WindowState State(WindowHandle window) {
  detail::Window* found = detail::Find(window);
  if (found == nullptr) return {};
  WindowState state = found->state;
  state.style = found->style;
  state.exStyle = found->exStyle;
  state.rect = found->GetRect();
  state.visible = found->visible;
  state.minimized = found->minimized;
  std::lock_guard lock(soft::TheWorld().mutex);
  for (const soft::Timer& timer : soft::TheWorld().timers) {
    if (timer.window == found) state.timers.push_back(timer.id);
  }
  return state;
}

bool IsWindow(WindowHandle window) { return detail::Find(window) != nullptr; }

void Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  soft::Post(window, message, wParam, lParam);
}

size_t QueueLength() {
  std::lock_guard lock(soft::TheWorld().mutex);
  return soft::TheWorld().queue.size();
}

void PumpPending() {
  Message message;
  while (platform::PeekMessage(message, false) && message.message != wm::kQuit) {
    platform::PeekMessage(message, true);
    platform::DispatchMessage(message);
  }
}

void FailNth(Resource what, int n) { TheWorld().refuseIn[static_cast<int>(what)] = n < 0 ? 0 : n; }

void SetMenuResponder(MenuResponder responder) { TheWorld().menuResponder = std::move(responder); }
int DialogsShown() { return TheWorld().dialogsShown; }

std::wstring LastDialogCaption() { return TheWorld().lastDialogCaption; }

}  // namespace headless
