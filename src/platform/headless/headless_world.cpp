#include <algorithm>

#include "../win_constants.h"
#include "headless_world.h"

namespace headless::detail {

World& TheWorld() {
  static World world;
  return world;
}

Window* Find(WindowHandle handle) {
  auto& windows = TheWorld().windows;
  auto it = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.get() == handle; });
  return it == windows.end() ? nullptr : it->get();
}

intptr_t DefaultProcessing(Window& window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case wm::kNcLButtonDown:
      if (wParam == kHitCaption) ++window.state.systemMoves;
      return 0;
    case wm::kRButtonUp:
      return Deliver(&window, wm::kContextMenu, 0, lParam);
    case wm::kQueryEndSession:
      return 1;
    default:
      return 0;
  }
}

bool Refused(Resource what) {
  std::atomic<int>& countdown = TheWorld().refuseIn[static_cast<int>(what)];
  int left = countdown.load();
  while (left > 0 && !countdown.compare_exchange_weak(left, left - 1)) {
  }
  return left == 1;
}

intptr_t Deliver(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Window* window = Find(handle);
  if (window == nullptr || window->object == nullptr) return 0;
  intptr_t result = 0;
  if (window->object->Dispatch(message, wParam, lParam, result)) return result;
  // The handler may have destroyed the window.
  window = Find(handle);
  return window != nullptr ? DefaultProcessing(*window, message, wParam, lParam) : 0;
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
  auto& world = TheWorld();
  for (auto& window : world.windows) {
    if (window->object != nullptr) window->object->Detach();
  }
  world.windows.clear();
  world.queue.clear();
  world.timers.clear();
  world.clock = 0;
  world.uiSleeps.clear();
  world.uiWaits = 0;
  world.screen = {1920, 1080};
  world.monitors = {SingleMonitor(world.screen)};
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
  world.quitPending = false;
  world.quitCode = 0;
  world.uiThread = std::this_thread::get_id();
  for (auto& countdown : world.refuseIn) countdown = 0;
  world.ansiCodePage = 932;
  world.fileFaults = detail::FileFaults{};
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
void SetExecutablePath(const std::wstring& path) { TheWorld().exePath = path; }
void SetOleAvailable(bool available) { TheWorld().oleAvailable = available; }
const std::vector<uint32_t>& MessageBoxes() { return TheWorld().messageBoxes; }
const std::vector<std::wstring>& MessageBoxTexts() { return TheWorld().messageBoxTexts; }

std::vector<WindowHandle> Windows() {
  std::vector<WindowHandle> handles;
  for (auto& window : TheWorld().windows) handles.push_back(window.get());
  return handles;
}

WindowState State(WindowHandle window) {
  std::lock_guard lock(TheWorld().mutex);
  detail::Window* found = detail::Find(window);
  return found != nullptr ? found->state : WindowState{};
}

bool IsWindow(WindowHandle window) { return detail::Find(window) != nullptr; }

void Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TheWorld().queue.push_back(Message{window, message, wParam, lParam});
}

size_t QueueLength() { return TheWorld().queue.size(); }

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
