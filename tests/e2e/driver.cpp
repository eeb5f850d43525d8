// Drives a running kitemaru.exe from outside, as the end-to-end tests need:
// finds its windows, posts commands and reports what it sees.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

HWND ControlWindow() { return FindWindowW(L"kitemaru", nullptr); }

struct Found {
  DWORD process = 0;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectLayered(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == found->process && IsWindowVisible(window) &&
      (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0) {
    found->windows.push_back(window);
  }
  return TRUE;
}

// The visible layered windows of the program: sprites, and the range editor
// (the only one with a sizing border).
std::vector<HWND> LayeredWindows(bool editors) {
  Found found;
  GetWindowThreadProcessId(ControlWindow(), &found.process);
  EnumWindows(CollectLayered, reinterpret_cast<LPARAM>(&found));
  std::vector<HWND> result;
  for (HWND window : found.windows) {
    const bool editor = (GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) != 0;
    if (editor == editors) result.push_back(window);
  }
  return result;
}

HWND SpriteAt(int x, int y) {
  for (HWND window : LayeredWindows(false)) {
    RECT rect;
    GetWindowRect(window, &rect);
    if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) return window;
  }
  return nullptr;
}

void PrintRect(const char* kind, HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  const bool topMost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  std::printf("%s %ld %ld %ld %ld %s\n", kind, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
              topMost ? "topmost" : "normal");
}

bool WaitFor(HWND (*find)(), int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (find() != nullptr) return true;
    Sleep(50);
  }
  return false;
}

HWND PopupMenuWindow() { return FindWindowW(L"#32768", nullptr); }
HWND DialogWindow() { return FindWindowW(L"#32770", nullptr); }

int Usage() {
  std::fprintf(stderr,
               "usage: driver wait | post ID | close | endsession | control | sprites | editors | menu |\n"
               "              about-close | sprite-post X Y ID | sprite-dblclick X Y | editor-key VK |\n"
               "              contextmenu | hold FILE MS\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring verb = argv[1];
  auto arg = [&](int i) { return i < argc ? static_cast<int>(std::wcstol(argv[i], nullptr, 10)) : 0; };

  if (verb == L"wait") return WaitFor(ControlWindow, 20000) ? 0 : 1;
  if (verb == L"hold" && argc >= 4) {
    // Another program holding the file open and sharing it with nobody.
    HANDLE file = CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(arg(3)));
    CloseHandle(file);
    return 0;
  }
  HWND control = ControlWindow();
  if (control == nullptr) {
    std::fprintf(stderr, "driver: no KITE-MARU control window\n");
    return 1;
  }
  if (verb == L"post") return PostMessageW(control, WM_COMMAND, arg(2), 0) ? 0 : 1;
  if (verb == L"close") return PostMessageW(control, WM_CLOSE, 0, 0) ? 0 : 1;
  if (verb == L"contextmenu") return PostMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), -1) ? 0 : 1;
  if (verb == L"endsession") {
    const LRESULT agreed = SendMessageW(control, WM_QUERYENDSESSION, 0, 0);
    SendMessageW(control, WM_ENDSESSION, TRUE, 0);
    return agreed ? 0 : 1;
  }
  if (verb == L"control") {
    PrintRect("control", control);
    return 0;
  }
  if (verb == L"sprites" || verb == L"editors") {
    const bool editors = verb == L"editors";
    for (HWND window : LayeredWindows(editors)) PrintRect(editors ? "editor" : "sprite", window);
    return 0;
  }
  if (verb == L"menu") {
    // NOTE: Wine keeps menus inside their process, so another program can
    // only see the popup window, not its items.
    if (!WaitFor(PopupMenuWindow, 5000)) return 1;
    PrintRect("menu", PopupMenuWindow());
    return 0;
  }
  if (verb == L"menu-close") {
    // Ending the tracking the way a click elsewhere would.
    PostMessageW(control, WM_CANCELMODE, 0, 0);
    SendMessageW(PopupMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    return 0;
  }
  if (verb == L"about-close") {
    if (!WaitFor(DialogWindow, 5000)) return 1;
    wchar_t caption[64] = {};
    GetWindowTextW(DialogWindow(), caption, 64);
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, caption, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("dialog %s\n", utf8);
    return PostMessageW(DialogWindow(), WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  if (verb == L"sprite-post" || verb == L"sprite-dblclick") {
    HWND sprite = SpriteAt(arg(2), arg(3));
    if (sprite == nullptr) {
      std::fprintf(stderr, "driver: no sprite at %d,%d\n", arg(2), arg(3));
      return 1;
    }
    if (verb == L"sprite-post") return PostMessageW(sprite, WM_COMMAND, arg(4), 0) ? 0 : 1;
    return PostMessageW(sprite, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2)) ? 0 : 1;
  }
  if (verb == L"editor-key") {
    const auto editors = LayeredWindows(true);
    if (editors.empty()) return 1;
    return PostMessageW(editors.front(), WM_KEYDOWN, arg(2), 0) ? 0 : 1;
  }
  return Usage();
}
