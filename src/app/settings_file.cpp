#include "app/settings_file.h"

#include <filesystem>

#include "app/exe_path.h"
#include "app/ini_encoding.h"
#include "app/profile.h"
#include "platform/system.h"

namespace fs = std::filesystem;
using platform::FileError;

namespace {

constexpr wchar_t kSettingsName[] = L"config.ini";
// Virus scanners and sync clients hold a file for moments: about a second in all.
constexpr int kLockedAttempts = 10;
constexpr uint32_t kLockedPauseMs = 100;

bool Exists(const std::wstring& path) {
  std::error_code error;
  return fs::exists(ToFsPath(path), error);
}

// A save that the program's place refused went to the per-user copy, which
// is then the newer one: it holds the last settings until the program's
// place takes a save again. A config.ini the user deleted starts afresh.
bool IsNewerThan(const std::wstring& perUser, const std::wstring& program) {
  std::error_code error;
  const fs::file_time_type user = fs::last_write_time(ToFsPath(perUser), error);
  if (error || !fs::exists(ToFsPath(program), error)) return false;
  if (!fs::is_regular_file(ToFsPath(program), error)) return true;
  const fs::file_time_type own = fs::last_write_time(ToFsPath(program), error);
  return error || user > own;
}

// Beside the per-user copy: the program's own settings file it was last
// saved for. Other copies of the program share the per-user copy, and one
// whose own folder takes its saves must not take their settings for its own.
constexpr wchar_t kStandInSuffix[] = L".for";

// Writing a file the bytes it already holds would only touch its time and
// stir whatever watches it (sync clients, backups): such a save writes nothing.
bool Holds(const std::wstring& path, const std::string& bytes) {
  std::string present;
  return platform::ReadWholeFile(path, bytes.size(), present) == FileError::None && present == bytes;
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

SettingsFile::SettingsFile(std::wstring programPath, bool besideProgram)
    : programPath(std::move(programPath)), besideProgram(besideProgram) {}

std::wstring SettingsFile::PerUserPath() const {
  const std::wstring base = platform::PerUserDataFolder();
  if (base.empty()) return {};
  return JoinPath(base, kSettingsName);
}

bool SettingsFile::PerUserStandsInFor(const std::wstring& perUser) const {
  std::string owner;
  if (platform::ReadWholeFile(perUser + kStandInSuffix, 4 * kProfileStringMax, owner) != FileError::None) return false;
  const std::wstring saved = Utf8ToWide(owner);
  if (saved == programPath) return true;
  // The program's folder was moved or renamed while it ran, and its last
  // save went to the per-user copy.
  return !Exists(RemoveFileSpec(saved));
}

bool SettingsFile::ProgramPlaceWritable(const std::wstring& program) const {
  return besideProgram && (platform::CanCreateFilesIn(RemoveFileSpec(program)) || platform::CanWriteFile(program));
}

std::wstring SettingsFile::OwnPath() const {
  std::wstring program = platform::FinalFilePath(programPath);
  if (program.empty()) program = programPath;
  const std::wstring perUser = PerUserPath();
  return ProgramPlaceWritable(program) || perUser.empty() ? program : perUser;
}

void SettingsFile::Load(IniFile& file) {
  readPath = programPath;
  std::wstring program = platform::FinalFilePath(programPath);
  if (program.empty()) program = programPath;
  frozen = platform::IsReadOnlyFile(program);
  const std::wstring perUser = PerUserPath();
  if (!frozen && !perUser.empty() && Exists(perUser) &&
      (!ProgramPlaceWritable(program) || (IsNewerThan(perUser, program) && PerUserStandsInFor(perUser)))) {
    readPath = perUser;
  }
  const IniRead read = WhileLocked([&] { return ReadIniFile(readPath, file); }, IniRead::Locked);
  if (read == IniRead::Locked || read == IniRead::Unreadable) frozen = true;
  loaded = file;
}

bool SettingsFile::Reload(IniFile& file) {
  unreadableNow = FileError::None;
  if (frozen) return false;
  FileError why = FileError::None;
  const IniRead read = WhileLocked([&] { return ReadIniFile(readPath, file, &why); }, IniRead::Locked);
  if (read == IniRead::Loaded) return true;
  // Moved away with its folder, or replaced by something unreadable: the
  // keys and comments read at start are still the user's.
  file = loaded;
  if (read != IniRead::Missing) unreadableNow = why;
  return true;
}

FileError SettingsFile::SaveAt(const std::wstring& path, const std::string& bytes) const {
  if (path == readPath && unreadableNow != FileError::None) return unreadableNow;
  const std::wstring target = platform::FinalFilePath(path);
  if (target.empty()) return FileError::NotAFile;
  if (Holds(target, bytes)) return FileError::None;
  FileError saved = WhileLocked([&] { return ReplaceIniFile(target, bytes); }, FileError::Locked);
  if (saved == FileError::Denied && platform::CanWriteFile(target)) saved = platform::OverwriteFile(target, bytes);
  return saved;
}

bool SettingsFile::Save(IniFile& file) {
  failure = {};
  if (frozen) return true;
  const std::string bytes = IniFileBytes(file);
  if (bytes.size() > kIniFileMaxBytes) {
    failure = {programPath, FileError::TooLarge};
    return false;
  }
  const std::wstring program = platform::FinalFilePath(programPath);
  if (!program.empty() && platform::IsReadOnlyFile(program)) return true;
  failure = {programPath, besideProgram ? SaveAt(programPath, bytes) : FileError::Denied};
  const std::wstring perUser = PerUserPath();
  if (failure.reason != FileError::None && !perUser.empty()) {
    platform::CreateFolders(RemoveFileSpec(perUser));
    failure = {perUser, SaveAt(perUser, bytes)};
    const std::string owner = WideToUtf8(programPath);
    if (failure.reason == FileError::None && !Holds(perUser + kStandInSuffix, owner)) {
      ReplaceIniFile(perUser + kStandInSuffix, owner);
    }
  }
  if (failure.reason != FileError::None) return false;
  failure = {};
  return true;
}
