#include "../thread.h"
#include "headless_world.h"

namespace platform::detail {

bool ThreadStartRefused() { return headless::detail::Refused(headless::Resource::ThreadStart); }

}  // namespace platform::detail
