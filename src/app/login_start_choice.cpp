#include "app/login_start_choice.h"

#include <filesystem>

#include "app/exe_path.h"
#include "app/start_options.h"
#include "platform/login_start.h"
#include "platform/system.h"

bool StartsThisProgramAtLogin() {
  const std::wstring entry = platform::LoginStartProgram();
  if (entry.empty()) return false;
  // Another copy of the program, or one since removed, is not this one.
  std::error_code error;
  return std::filesystem::equivalent(ToFsPath(entry), ToFsPath(platform::ExecutablePath()), error);
}

bool ChooseStartAtLogin(bool start) {
  if (start) {
    platform::SetLoginStart(platform::ExecutablePath(), kStartInTrayFlag);
  } else {
    platform::RemoveLoginStart();
  }
  return StartsThisProgramAtLogin();
}
