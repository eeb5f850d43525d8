#pragma once
// The state of the in-memory window system, shared by the headless files.
#include <atomic>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "../app.h"
#include "../monitors.h"
#include "headless.h"

namespace headless::detail {

struct Window {
  CWnd* object = nullptr;
  WindowState state;
  bool needsPaint = false;
};

struct Timer {
  Window* window = nullptr;
  uintptr_t id = 0;
  uint32_t period = 0;
  uint32_t due = 0;
};

// What the test asked the file system to refuse, by normalised path.
struct FileFaults {
  std::map<std::filesystem::path, int> lockedReads;  // reads still refused; -1 for ever
  std::set<std::filesystem::path> readOnlyFiles;
  std::set<std::filesystem::path> closedFiles;    // cannot be written
  std::set<std::filesystem::path> closedFolders;  // take no new files
  std::wstring perUserDataFolder;
  std::ptrdiff_t writeBudget = -1;
  std::filesystem::path fullFolder;  // where the budget holds; empty: everywhere
};

struct World {
  std::mutex mutex;  // rectangles and screen size are read by worker threads
  std::vector<std::unique_ptr<Window>> windows;
  std::deque<Message> queue;
  std::vector<Timer> timers;
  std::atomic<uint32_t> clock{0};
  std::vector<uint32_t> uiSleeps;
  int uiWaits = 0;  // WaitForWork calls that found nothing queued
  Size screen{1920, 1080};
  std::vector<MonitorInfo> monitors;  // Reset puts one matching the screen
  Point cursor;
  std::set<uint32_t> keysDown;
  std::wstring exePath;
  bool oleAvailable = true;
  std::vector<uint32_t> messageBoxes;
  std::vector<std::wstring> messageBoxTexts;
  MenuResponder menuResponder;
  int dialogsShown = 0;
  std::wstring lastDialogCaption;
  std::wstring uiLanguage = L"ja-JP";
  bool quitPending = false;
  int quitCode = 0;
  std::thread::id uiThread = std::this_thread::get_id();
  std::atomic<uint32_t> ansiCodePage{932};
  FileFaults fileFaults;
  // Per Resource: requests until the refused one, 0 for none armed.
  std::atomic<int> refuseIn[static_cast<int>(Resource::LayeredUpdate) + 1] = {};
};

World& TheWorld();
// Null when the handle names no live window.
Window* Find(WindowHandle handle);
// What the window system does with a message that no handler took.
intptr_t DefaultProcessing(Window& window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Routes a message to the window's object, then default processing.
intptr_t Deliver(WindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Counts one request for what; true when it is the one a test asked to refuse.
bool Refused(Resource what);
// The file-system path of a program path, as the faults are keyed.
std::filesystem::path NativePath(const std::wstring& path);

}  // namespace headless::detail
