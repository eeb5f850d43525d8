#include "win32_windows.h"

#include "platform/app.h"

// The application object is a global of the program; this entry point only
// runs it, as the framework's own WinMain does.
// Nothing thrown may reach the runtime, which would end the program abruptly.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    if (!app->InitInstance()) return 1;
    return app->Run();
  } catch (...) {
    return 1;
  }
}
