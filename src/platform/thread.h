#pragma once
// Threads that cannot end the program: the system may refuse a new thread,
// and a body that throws would otherwise take the whole process with it.
#include <functional>
#include <thread>

namespace platform {

// Starts body on thread, which must not be running. False, with thread left
// empty, when the system cannot start one. An exception leaving body ends
// that thread only.
bool StartThread(std::thread& thread, std::function<void()> body);

namespace detail {
// The backend's say before a start: true when this start is to be refused
// (test builds and the headless backend refuse on request).
bool ThreadStartRefused();
}  // namespace detail

}  // namespace platform
