#include "platform/thread.h"

namespace platform::detail {

bool ThreadStartRefused() { return false; }

}  // namespace platform::detail
