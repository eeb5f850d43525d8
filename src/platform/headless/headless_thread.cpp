#include "headless_world.h"
#include "platform/thread.h"

namespace platform::detail {

bool ThreadStartRefused() { return headless::detail::Refused(headless::Resource::ThreadStart); }

}  // namespace platform::detail
