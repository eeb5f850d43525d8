#pragma once
// The application object and the message pump of the user-interface thread.
#include <cstdint>

#include "wnd.h"

struct Message {
  WindowHandle window = nullptr;
  uint32_t message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

namespace platform {
// Takes (remove) or looks at the next message of this thread without waiting.
bool PeekMessage(Message& out, bool remove);
// Waits for the next message; false when it is the quit request.
bool GetMessage(Message& out);
void TranslateMessage(const Message& message);
intptr_t DispatchMessage(const Message& message);
void PostQuitMessage(int exitCode);
}  // namespace platform

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();

  virtual bool InitInstance() { return true; }
  // Called whenever the queue is empty; true asks to be called again.
  virtual bool OnIdle(long count);
  // The message loop; returns the exit code of the quit request.
  int Run();

  CWnd* mainWindow = nullptr;
};

CWinApp* AfxGetApp();
