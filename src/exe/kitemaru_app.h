#pragma once
#include <memory>

#include "platform/app.h"
#include "platform/instance_lock.h"

// Starts the process, creates the control window and drives every frame from
// the idle hook of the message loop.
class CkitemaruApp : public CWinApp {
 public:
  bool InitInstance() override;
  bool OnIdle(long count) override;

 private:
  // Held while the program runs: one program per settings file.
  std::unique_ptr<platform::InstanceLock> instanceLock;
};
