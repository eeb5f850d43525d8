#pragma once
// The fakes of the headless backend, shared by its files: the window
// system itself is the in-memory core (soft/); this is what tests drive and
// read back.
#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "headless.h"
#include "platform/monitors.h"
#include "platform/soft/soft_world.h"

namespace headless::detail {

// What a window shows and was asked that the core does not keep.
class Window final : public soft::Window {
 public:
  Window(CWnd* object, const CreateStruct& cs);

  bool ShowFrame(Point topLeft, Size size, const FrameBitmap& source, Point from) override;
  void PaintNow() override;
  bool PaintedFromQueue() const override { return true; }
  void SetStaysOnTop(bool onTop) override { state.topMost = onTop; }
  void SetOpacity(uint8_t alpha) override { state.alpha = alpha; }
  void StartSystemMove() override { ++state.systemMoves; }
  void Activate() override { ++state.activations; }

  // Its class, title and the fields below layered; the rest State fills in from the core.
  WindowState state;
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
  std::mutex mutex;  // the screen size is read by worker threads
  std::atomic<uint32_t> clock{0};
  std::vector<uint32_t> uiSleeps;
  int uiWaits = 0;  // WaitForWork calls that found nothing queued
  std::vector<uint32_t> uiTimedWaits;  // the same of WaitForMessageOrTime, with their times
  Size screen{1920, 1080};
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
  std::vector<std::wstring> commandLine;
  bool trayPresent = false;
  WindowHandle trayOwner = nullptr;  // while the program has an icon
  std::wstring trayTip;
  std::thread::id uiThread = std::this_thread::get_id();
  std::atomic<uint32_t> ansiCodePage{932};
  FileFaults fileFaults;
  // Per Resource: requests until the refused one, 0 for none armed.
  std::atomic<int> refuseIn[static_cast<int>(Resource::LayeredUpdate) + 1] = {};
  // One-instance locks held, by name: the holder and what answers a later start.
  struct InstanceHolder {
    const void* lock = nullptr;
    std::function<void()> onShow;
  };
  std::map<std::wstring, InstanceHolder> instanceHolders;
  std::wstring autostartFolder;
};

World& TheWorld();
// Null when the handle names no live window.
Window* Find(WindowHandle handle);
// Counts one request for what; true when it is the one a test asked to refuse.
bool Refused(Resource what);
// The file-system path of a program path, as the faults are keyed.
std::filesystem::path NativePath(const std::wstring& path);

}  // namespace headless::detail
