#pragma once
// Process-wide services: clocks, screen, input state, paths, start-up.
#include <cstdint>
#include <string>
#include <vector>

#include "geometry.h"

using WindowHandle = void*;

namespace platform {

// Free-running millisecond clock that wraps at 2^32 (timeGetTime).
uint32_t TimeGetTime();
// Suspends the calling thread for whole milliseconds.
void Sleep(uint32_t milliseconds);
// On the user-interface thread: waits until a message or a due timer is in
// its queue, or WakeUserInterface is called (also if called since the last wait).
void WaitForWork();
// Ends the user-interface thread's WaitForWork. Safe from any thread.
void WakeUserInterface();
// On the user-interface thread: waits until a message or a due timer is in
// its queue, or for at most milliseconds; WakeUserInterface does not end it.
void WaitForMessageOrTime(uint32_t milliseconds);
// The primary screen's size in pixels. Safe from any thread.
Size ScreenSize();
Point CursorPos();
// A window's outer rectangle in screen pixels; safe from worker threads.
Rect WindowRect(WindowHandle window);
// True while the key is held at the time of the message being handled.
bool IsKeyDown(uint32_t virtualKey);
// The user's interface language as a tag ("ja-JP", "en"); empty when unknown.
std::wstring UserInterfaceLanguage();
// Full path of the running executable.
std::wstring ExecutablePath();
// The arguments the program was started with, its own name left out.
std::vector<std::wstring> CommandLineArguments();
// Common controls and OLE; false when OLE cannot be initialised.
bool InitSystemServices();
// A modal OK box with a string resource as text, its %1, %2 ... replaced by
// fills, and the application name as caption.
void MessageBoxFromResource(uint32_t stringId, const std::vector<std::wstring>& fills = {});

}  // namespace platform
