#include "win32_windows.h"

#include "platform/app.h"

// The application object is a global of the program; this entry point only
// runs it, as the framework's own WinMain does.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  if (!app->InitInstance()) return 1;
  return app->Run();
}
