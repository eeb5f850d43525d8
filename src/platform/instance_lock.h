#pragma once
// One running program per settings file: a lock that the system lets go of
// when its holder ends, however it ends, and a way for a later start to ask
// the holder to show itself.
#include <functional>
#include <memory>
#include <string>

namespace platform {

class InstanceLock {
 public:
  // name: letters, digits and '-', the same for every start that would use
  // the same settings file.
  explicit InstanceLock(std::wstring name);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock unless a running program holds it; one left by a program
  // that ended is taken over. True also when the system offers no lock: a
  // start is never refused for want of one.
  bool TryClaim();
  // As the holder: onShow runs on the user-interface thread each time a
  // later start asks.
  void ServeShowRequests(std::function<void()> onShow);
  // As a later start: asks the holder to show its control window; false
  // when no holder took the request.
  bool AskHolderToShow();

  struct State;  // the backend's

 private:
  std::unique_ptr<State> state;
};

}  // namespace platform
