#pragma once
#include "platform/app.h"

// Starts the process, creates the control window and drives every frame from
// the idle hook of the message loop.
class CkitemaruApp : public CWinApp {
 public:
  bool InitInstance() override;
  bool OnIdle(long count) override;
};
