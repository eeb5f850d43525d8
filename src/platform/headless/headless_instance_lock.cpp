#include "headless_world.h"
#include "platform/instance_lock.h"

// The locks of every "process" are the test's one table: a later start is
// another lock of the same name.
using headless::detail::TheWorld;

namespace platform {

struct InstanceLock::State {
  std::wstring name;
};

InstanceLock::InstanceLock(std::wstring name) : state(std::make_unique<State>()) { state->name = std::move(name); }

InstanceLock::~InstanceLock() {
  auto& holders = TheWorld().instanceHolders;
  const auto found = holders.find(state->name);
  if (found != holders.end() && found->second.lock == this) holders.erase(found);
}

bool InstanceLock::TryClaim() {
  auto& holders = TheWorld().instanceHolders;
  const auto found = holders.find(state->name);
  if (found != holders.end()) return found->second.lock == this;
  holders[state->name].lock = this;
  return true;
}

void InstanceLock::ServeShowRequests(std::function<void()> onShow) {
  auto& holders = TheWorld().instanceHolders;
  const auto found = holders.find(state->name);
  if (found != holders.end() && found->second.lock == this) found->second.onShow = std::move(onShow);
}

bool InstanceLock::AskHolderToShow() {
  auto& holders = TheWorld().instanceHolders;
  const auto found = holders.find(state->name);
  if (found == holders.end() || found->second.lock == this || !found->second.onShow) return false;
  // Copied: the request may end the holder.
  const std::function<void()> onShow = found->second.onShow;
  onShow();
  return true;
}

}  // namespace platform

namespace headless {

void KillInstanceHolder(const std::wstring& name) { TheWorld().instanceHolders.erase(name); }

}  // namespace headless
