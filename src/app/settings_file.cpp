#include "app/settings_file.h"

#include <filesystem>

#include "app/exe_path.h"
#include "platform/system.h"

namespace {

constexpr wchar_t kSettingsName[] = L"config.ini";
// Virus scanners and sync clients hold a file for moments: about a second in all.
constexpr int kLockedAttempts = 10;
constexpr uint32_t kLockedPauseMs = 100;

bool Exists(const std::wstring& path) {
  std::error_code error;
  return std::filesystem::exists(ToFsPath(path), error);
}

template <typename Attempt>
auto WhileLocked(Attempt attempt, decltype(attempt()) locked) {
  auto result = attempt();
  for (int i = 1; i < kLockedAttempts && result == locked; ++i) {
    platform::Sleep(kLockedPauseMs);
    result = attempt();
  }
  return result;
}

}  // namespace

SettingsFile::SettingsFile(std::wstring programPath) : programPath(std::move(programPath)) {}

std::wstring SettingsFile::PerUserPath() const {
  const std::wstring base = platform::PerUserDataFolder();
  if (base.empty()) return {};
  return JoinPath(base, kSettingsName);
}

bool SettingsFile::ProgramPlaceWritable() const {
  return platform::CanCreateFilesIn(RemoveFileSpec(programPath)) || platform::CanWriteFile(programPath);
}

void SettingsFile::Load(IniFile& file) {
  readPath = programPath;
  frozen = platform::IsReadOnlyFile(programPath);
  const std::wstring perUser = PerUserPath();
  if (!frozen && !perUser.empty() && Exists(perUser) && !ProgramPlaceWritable()) readPath = perUser;
  const IniRead read = WhileLocked([&] { return ReadIniFile(readPath, file); }, IniRead::Locked);
  if (read == IniRead::Locked || read == IniRead::Unreadable) frozen = true;
}

bool SettingsFile::Reload(IniFile& file) const {
  if (frozen) return false;
  const IniRead read = WhileLocked([&] { return ReadIniFile(readPath, file); }, IniRead::Locked);
  return read == IniRead::Loaded || read == IniRead::Missing;
}

bool SettingsFile::Save(IniFile& file) const {
  if (frozen) return false;
  const std::string bytes = IniFileBytes(file);
  if (bytes.size() > kIniFileMaxBytes) return false;
  using platform::FileError;
  const FileError replaced = WhileLocked([&] { return ReplaceIniFile(programPath, bytes); }, FileError::Locked);
  if (replaced == FileError::None) return true;
  if (replaced != FileError::Denied) return false;
  if (platform::CanWriteFile(programPath)) return platform::OverwriteFile(programPath, bytes) == FileError::None;
  const std::wstring perUser = PerUserPath();
  if (perUser.empty() || !platform::CreateFolders(RemoveFileSpec(perUser))) return false;
  return ReplaceIniFile(perUser, bytes) == FileError::None;
}
