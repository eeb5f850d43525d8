#include <chrono>
#include <filesystem>

#include "headless_world.h"
#include "platform/system.h"
#include "res/resources.h"

using headless::detail::TheWorld;

namespace platform {

uint32_t TimeGetTime() { return TheWorld().clock; }

void Sleep(uint32_t milliseconds) {
  auto& world = TheWorld();
  if (std::this_thread::get_id() == world.uiThread) {
    world.uiSleeps.push_back(milliseconds);
    world.clock += milliseconds;
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}

Size ScreenSize() {
  std::lock_guard lock(TheWorld().mutex);
  return TheWorld().screen;
}

Point CursorPos() { return TheWorld().cursor; }

bool IsKeyDown(uint32_t virtualKey) { return TheWorld().keysDown.contains(virtualKey); }

std::wstring ExecutablePath() {
  if (!TheWorld().exePath.empty()) return TheWorld().exePath;
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::wstring() : path.wstring();
}

std::vector<std::wstring> CommandLineArguments() { return TheWorld().commandLine; }

bool InitSystemServices() { return TheWorld().oleAvailable; }

void MessageBoxFromResource(uint32_t stringId, const std::vector<std::wstring>& fills) {
  TheWorld().messageBoxes.push_back(stringId);
  TheWorld().messageBoxTexts.push_back(FormatString(stringId, fills));
}

}  // namespace platform

void headless::SetCommandLine(const std::vector<std::wstring>& arguments) { TheWorld().commandLine = arguments; }
