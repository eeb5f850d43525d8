#include <new>
#include <system_error>

#include "../thread.h"
#include "headless_world.h"

namespace platform {

bool StartThread(std::thread& thread, std::function<void()> body) {
  if (thread.joinable() || headless::detail::Refused(headless::Resource::ThreadStart)) return false;
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
