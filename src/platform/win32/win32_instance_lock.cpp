#include "win32_windows.h"

#include "platform/instance_lock.h"

// A named mutex per settings file, which the system hands on, abandoned,
// when its holder ends in any way. The holder keeps a message-only window
// titled with the same name: a later start finds exactly that window, not
// the control window of a program using other settings.
namespace {

constexpr wchar_t kHandOverClass[] = L"KITE-MARU hand-over";
constexpr UINT kShowRequest = WM_APP + 1;

LRESULT CALLBACK HandOverProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kShowRequest) return DefWindowProcW(hwnd, message, wParam, lParam);
  const auto* onShow = reinterpret_cast<const std::function<void()>*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // No exception may cross into the system's code.
  try {
    if (onShow != nullptr && *onShow) (*onShow)();
  } catch (...) {
  }
  return 0;
}

bool RegisterHandOverClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = HandOverProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHandOverClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

namespace platform {

struct InstanceLock::State {
  std::wstring name;
  HANDLE mutex = nullptr;
  bool held = false;
  HWND window = nullptr;
  std::function<void()> onShow;
};

InstanceLock::InstanceLock(std::wstring name) : state(std::make_unique<State>()) { state->name = std::move(name); }

InstanceLock::~InstanceLock() {
  if (state->window != nullptr) DestroyWindow(state->window);
  if (state->held) ReleaseMutex(state->mutex);
  if (state->mutex != nullptr) CloseHandle(state->mutex);
}

bool InstanceLock::TryClaim() {
  if (state->held) return true;
  if (state->mutex == nullptr) state->mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + state->name).c_str());
  if (state->mutex == nullptr) return true;
  const DWORD waited = WaitForSingleObject(state->mutex, 0);
  state->held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  return state->held || waited == WAIT_FAILED;
}

void InstanceLock::ServeShowRequests(std::function<void()> onShow) {
  if (!state->held || state->window != nullptr || !RegisterHandOverClass()) return;
  state->onShow = std::move(onShow);
  state->window = CreateWindowExW(0, kHandOverClass, state->name.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  if (state->window != nullptr) {
    SetWindowLongPtrW(state->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state->onShow));
  }
}

bool InstanceLock::AskHolderToShow() {
  const HWND holder = FindWindowExW(HWND_MESSAGE, nullptr, kHandOverClass, state->name.c_str());
  if (holder == nullptr) return false;
  // This start came from the user and may give the foreground away: the
  // holder then comes to the front instead of flashing in the taskbar.
  DWORD process = 0;
  GetWindowThreadProcessId(holder, &process);
  AllowSetForegroundWindow(process);
  return PostMessageW(holder, kShowRequest, 0, 0) != 0;
}

}  // namespace platform
