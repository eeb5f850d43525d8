#include <cstdlib>

#include "platform/thread.h"

namespace platform::detail {

#ifdef KITEMARU_TEST_HOOKS
// Test builds only: KITEMARU_FAIL_THREAD_START=n refuses the n-th thread start
// of the run, as a system out of threads would.
bool ThreadStartRefused() {
  static const long failAt = [] {
    const char* value = std::getenv("KITEMARU_FAIL_THREAD_START");
    return value != nullptr ? std::strtol(value, nullptr, 10) : 0L;
  }();
  static long started = 0;
  return ++started == failAt;
}
#else
bool ThreadStartRefused() { return false; }
#endif

}  // namespace platform::detail
