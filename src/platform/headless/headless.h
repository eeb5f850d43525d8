#pragma once
// Control and read-back of the in-memory window system, for tests. Windows
// keep real state (rectangles, visibility, band, opacity, timers, the last
// layered image); the clock is virtual and Sleep on the user-interface thread
// advances it instead of waiting.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform/monitors.h"
#include "platform/wnd.h"

class FrameBitmap;

namespace headless {

struct DrawOp {
  enum class Kind { Fill, Text } kind = Kind::Fill;
  Rect rect;
  Color color = 0;  // fill colour, or the text colour
  std::wstring text;
  uint32_t format = 0;
  std::wstring font;  // the selected stock font's face
  int32_t fontDpi = kDefaultDpi;  // the scale the font was selected at
};

struct WindowState {
  std::wstring className;
  std::wstring title;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  Rect rect;
  bool visible = false;
  bool topMost = false;
  int alpha = -1;                        // constant opacity, -1 when never set
  const FrameBitmap* layered = nullptr;  // source of the last layered update
  Point layeredAt;
  Size layeredSize;
  Point layeredFrom;  // the source part's top-left corner in the bitmap
  int layeredUpdates = 0;
  int systemMoves = 0;  // WM_NCLBUTTONDOWN on the caption
  bool minimized = false;
  int activations = 0;  // brought to the front with the keyboard
  std::vector<DrawOp> lastPaint;      // client painting
  std::vector<DrawOp> lastNcPaint;    // whole-window painting
  std::vector<uintptr_t> timers;
};

// Puts the whole fake back to its start: no windows, clock 0, one monitor of
// 1920 x 1080 at 96 dpi.
void Reset();

// The primary monitor's size becomes the screen size.
void SetMonitors(const std::vector<MonitorInfo>& monitors);
// Tells every window that the display layout changed, as the system does.
void PostDisplayChange();
void SetKeyDown(uint32_t virtualKey, bool down);
uint32_t Clock();
void SetClock(uint32_t milliseconds);
void AdvanceClock(uint32_t milliseconds);
// Sleeps of the user-interface thread since the last Reset, in order.
const std::vector<uint32_t>& UiSleeps();
// Waits for work of the user-interface thread since the last Reset that found
// nothing queued (they return at once: only the test can make work).
int UiWaits();
// The times of the user-interface thread's waits for a message or a time
// that found nothing queued; each passes on the clock.
const std::vector<uint32_t>& UiTimedWaits();
void SetExecutablePath(const std::wstring& path);
void SetOleAvailable(bool available);
// The tag UserInterfaceLanguage gives; "ja-JP" until set.
void SetUserInterfaceLanguage(const std::wstring& tag);
// The arguments the program was started with, its own name left out.
void SetCommandLine(const std::vector<std::wstring>& arguments);
// The string ids of the message boxes shown, and their texts as shown.
const std::vector<uint32_t>& MessageBoxes();
const std::vector<std::wstring>& MessageBoxTexts();

// Every live window, in creation order.
std::vector<WindowHandle> Windows();
WindowState State(WindowHandle window);
bool IsWindow(WindowHandle window);

// Puts a message into the queue as the window system would.
void Post(WindowHandle window, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
size_t QueueLength();
// Dispatches every queued message (and due timers) except the quit request.
void PumpPending();
// What the window system can run out of while the program runs.
enum class Resource { ThreadStart, Window, Bitmap, Menu, LayeredUpdate };
// Refuses the n-th request for what from now on (1: the very next), once; 0 cancels.
void FailNth(Resource what, int n);

// The ANSI code page that text files without a Unicode form are read in.
void SetAnsiCodePage(uint32_t codePage);
// File-system refusals, by path: the next `reads` reads find the file locked
// by another program (-1: until Reset); the user's read-only mark; a file
// that cannot be written; a folder that takes no new files.
void SetFileLocked(const std::wstring& path, int reads);
void SetFileReadOnly(const std::wstring& path);
void SetFileWritable(const std::wstring& path, bool writable);
void SetFolderAcceptsNewFiles(const std::wstring& folder, bool accepts);
// Where per-user data goes; none until a test sets it.
void SetPerUserDataFolder(const std::wstring& folder);
// Later file writes (in folder only, unless it is empty) stop after `bytes`
// bytes and fail, as on a full disk; -1 ends this.
void FailFileWritesAfter(std::ptrdiff_t bytes, const std::wstring& folder = {});

// The desktop's tray: none until a test puts one there. The icon shows
// while the program has one and a tray is there.
void SetTrayPresent(bool present);
struct TrayIconState {
  bool shown = false;
  std::wstring tip;
  WindowHandle owner = nullptr;
};
TrayIconState TrayIcon();
// The user's click (wm::kLButtonUp) or right click (wm::kRButtonUp) on the
// icon; false when no icon shows.
bool ClickTrayIcon(uint32_t mouseMessage);
// The holder of the one-instance lock name ends as a killed process does:
// the lock is free and nobody answers on its behalf.
void KillInstanceHolder(const std::wstring& name);
// Where the login entry is written; until a test sets it there is no such
// place and none can be made.
void SetAutostartFolder(const std::wstring& folder);

// Answers a tracked popup menu: returns the command to choose, 0 for none.
using MenuResponder = std::function<uint32_t(const CMenu& menu, CWnd* owner)>;
void SetMenuResponder(MenuResponder responder);
// Modal dialogs shown; each is answered with OK.
int DialogsShown();
// The caption of the last modal dialog shown; empty before the first.
std::wstring LastDialogCaption();

}  // namespace headless
