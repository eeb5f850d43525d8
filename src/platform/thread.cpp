#include "thread.h"

#include <new>
#include <system_error>

namespace platform {

bool StartThread(std::thread& thread, std::function<void()> body) {
  if (thread.joinable() || detail::ThreadStartRefused()) return false;
  try {
    thread = std::thread([body = std::move(body)] {
      try {
        body();
      } catch (...) {
      }
    });
  } catch (const std::system_error&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace platform
