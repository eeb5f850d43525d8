#include <unistd.h>

#include <filesystem>

#include "headless_world.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"

// Real files on disk, so tests read what the program wrote; the faults a test
// asks for (a lock, a read-only mark, a protected folder, a full disk) are
// played here, since a test running as root cannot make the system refuse it.
namespace fs = std::filesystem;

using headless::detail::FileFaults;
using headless::detail::TheWorld;

namespace headless::detail {

fs::path NativePath(const std::wstring& path) { return posix::NativePath(path); }

}  // namespace headless::detail

namespace {

using headless::detail::NativePath;
using platform::FileError;

FileFaults& Faults() { return TheWorld().fileFaults; }

bool Listed(const std::set<fs::path>& paths, const fs::path& path) { return paths.contains(path); }

bool TakeLock(const fs::path& path) {
  auto found = Faults().lockedReads.find(path);
  if (found == Faults().lockedReads.end() || found->second == 0) return false;
  if (found->second > 0) --found->second;
  return true;
}

bool IsLocked(const fs::path& path) {
  auto found = Faults().lockedReads.find(path);
  return found != Faults().lockedReads.end() && found->second != 0;
}

bool FolderRefuses(const fs::path& file) { return Listed(Faults().closedFolders, file.parent_path()); }

bool FileRefuses(const fs::path& file) {
  return Listed(Faults().readOnlyFiles, file) || Listed(Faults().closedFiles, file);
}

// A full disk: only the bytes within the test's budget reach the file.
bool CutShort(const fs::path& file, std::string_view& bytes) {
  const std::ptrdiff_t budget = Faults().writeBudget;
  if (budget < 0 || static_cast<size_t>(budget) >= bytes.size()) return false;
  if (!Faults().fullFolder.empty() && file.parent_path() != Faults().fullFolder) return false;
  bytes = bytes.substr(0, static_cast<size_t>(budget));
  return true;
}

}  // namespace

namespace platform {

FileError ReadWholeFile(const std::wstring& path, uint64_t limit, std::string& bytes) {
  bytes.clear();
  const fs::path file = NativePath(path);
  std::error_code error;
  if (fs::exists(fs::status(file, error)) && TakeLock(file)) return FileError::Locked;
  return posix::ReadWholeFile(file, limit, bytes);
}

FileError WriteNewFile(const std::wstring& path, std::string_view bytes, const std::wstring& like) {
  const fs::path file = NativePath(path);
  std::error_code error;
  if (fs::exists(fs::symlink_status(file, error))) return FileError::Exists;
  if (FolderRefuses(file)) return FileError::Denied;
  const bool cut = CutShort(file, bytes);
  const FileError written = posix::WriteNewFile(file, bytes, like.empty() ? fs::path() : NativePath(like));
  if (written != FileError::None || !cut) return written;
  posix::DeleteFile(file);
  return FileError::Failed;
}

FileError ReplaceFile(const std::wstring& source, const std::wstring& target) {
  const fs::path to = NativePath(target);
  if (IsLocked(to)) return FileError::Locked;
  if (FolderRefuses(to) || FileRefuses(to)) return FileError::Denied;
  return posix::ReplaceFile(NativePath(source), to);
}

FileError OverwriteFile(const std::wstring& path, std::string_view bytes) {
  const fs::path file = NativePath(path);
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return FileError::Missing;
  if (IsLocked(file)) return FileError::Locked;
  if (FileRefuses(file)) return FileError::Denied;
  const bool cut = CutShort(file, bytes);
  const FileError written = posix::OverwriteFile(file, bytes);
  return cut ? FileError::Failed : written;
}

void DeleteFile(const std::wstring& path) { posix::DeleteFile(NativePath(path)); }

std::wstring FinalFilePath(const std::wstring& path) { return posix::WidePath(posix::FinalPath(NativePath(path))); }

bool IsReadOnlyFile(const std::wstring& path) { return Listed(Faults().readOnlyFiles, NativePath(path)); }

bool CanCreateFilesIn(const std::wstring& folder) {
  const fs::path native = NativePath(folder);
  return !Listed(Faults().closedFolders, native) && posix::CanCreateFilesIn(native);
}

bool CanWriteFile(const std::wstring& path) {
  const fs::path file = NativePath(path);
  return !FileRefuses(file) && !IsLocked(file) && posix::CanWriteFile(file);
}

bool CreateFolders(const std::wstring& folder) { return posix::CreateFolders(NativePath(folder)); }

std::wstring PerUserDataFolder() { return Faults().perUserDataFolder; }

uint32_t CurrentProcessId() { return static_cast<uint32_t>(getpid()); }

}  // namespace platform

namespace headless {

void SetAnsiCodePage(uint32_t codePage) { TheWorld().ansiCodePage = codePage; }
void SetFileLocked(const std::wstring& path, int reads) { Faults().lockedReads[NativePath(path)] = reads; }
void SetFileReadOnly(const std::wstring& path) { Faults().readOnlyFiles.insert(NativePath(path)); }
void SetFileWritable(const std::wstring& path, bool writable) {
  if (writable) {
    Faults().closedFiles.erase(NativePath(path));
  } else {
    Faults().closedFiles.insert(NativePath(path));
  }
}
void SetFolderAcceptsNewFiles(const std::wstring& folder, bool accepts) {
  if (accepts) {
    Faults().closedFolders.erase(NativePath(folder));
  } else {
    Faults().closedFolders.insert(NativePath(folder));
  }
}
void SetPerUserDataFolder(const std::wstring& folder) { Faults().perUserDataFolder = folder; }
void FailFileWritesAfter(std::ptrdiff_t bytes, const std::wstring& folder) {
  Faults().writeBudget = bytes < 0 ? -1 : bytes;
  Faults().fullFolder = folder.empty() ? fs::path() : NativePath(folder);
}

}  // namespace headless
