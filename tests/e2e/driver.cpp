// Drives a running kitemaru.exe from outside, as the end-to-end tests need:
// finds its windows, posts commands and reports what it sees.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The window of the system class, waiting up to milliseconds for it; null if it did not come.
HWND WaitFor(const wchar_t* windowClass, int milliseconds = 0) {
  for (int waited = 0;; waited += 50) {
    HWND window = FindWindowW(windowClass, nullptr);
    if (window != nullptr || waited >= milliseconds) return window;
    Sleep(50);
  }
}

HWND ControlWindow() { return FindWindowW(L"kitemaru", nullptr); }

// The visible layered windows of the program, top first: sprites, or the
// range editors (the only ones with a sizing border).
std::vector<HWND> LayeredWindows(bool editors) {
  DWORD program = 0;
  GetWindowThreadProcessId(ControlWindow(), &program);
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, nullptr)) != nullptr;) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const bool editor = (GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) != 0;
    if (process == program && IsWindowVisible(window) && editor == editors &&
        (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0) {
      found.push_back(window);
    }
  }
  return found;
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

int Usage() {
  std::fprintf(stderr,
               "usage: driver wait | post ID | close | endsession | control | sprites | editors | menu |\n"
               "              about-close | message-close | sprite-post X Y ID | sprite-dblclick X Y |\n"
               "              editor-key VK | contextmenu | hold FILE MS | hide | control-state |\n"
               "              minimize | shown\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring verb = argv[1];
  auto arg = [&](int i) { return i < argc ? static_cast<int>(std::wcstol(argv[i], nullptr, 10)) : 0; };

  if (verb == L"wait") return WaitFor(L"kitemaru", 20000) ? 0 : 1;
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
  if (verb == L"minimize") return PostMessageW(control, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1;
  if (verb == L"shown") {
    std::printf("%s\n", !IsWindowVisible(control) ? "hidden" : IsIconic(control) ? "iconic" : "shown");
    return 0;
  }
  if (verb == L"hide") return ShowWindow(control, SW_HIDE) ? 0 : 1;
  if (verb == L"control-state") {
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"kitemaru", nullptr)) != nullptr;) ++count;
    std::printf("%s %s %d\n", IsWindowVisible(control) ? "visible" : "hidden",
                GetForegroundWindow() == control ? "foreground" : "background", count);
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
    HWND popup = WaitFor(L"#32768", 5000);
    if (popup != nullptr) PrintRect("menu", popup);
    return popup != nullptr ? 0 : 1;
  }
  if (verb == L"menu-close") {
    // Ending the tracking the way a click elsewhere would.
    PostMessageW(control, WM_CANCELMODE, 0, 0);
    SendMessageW(WaitFor(L"#32768"), WM_KEYDOWN, VK_ESCAPE, 0);
    return 0;
  }
  if (verb == L"about-close" || verb == L"message-close") {
    HWND dialog = WaitFor(L"#32770", 5000);
    if (dialog == nullptr) return 1;
    // A message box's text is its static control 0xFFFF; a dialog's caption is enough.
    wchar_t text[512] = {};
    if (verb == L"message-close") GetDlgItemTextW(dialog, 0xFFFF, text, 512);
    else GetWindowTextW(dialog, text, 512);
    char utf8[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("dialog %s\n", utf8);
    return PostMessageW(dialog, WM_COMMAND, IDOK, 0) ? 0 : 1;
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
