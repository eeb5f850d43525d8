#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../files.h"
#include "../text_codec.h"
#include "headless_world.h"

// Real files on disk, so tests read what the program wrote; the faults a test
// asks for (a lock, a read-only mark, a protected folder) are played here,
// since a test running as root cannot make the system refuse it.
namespace fs = std::filesystem;

using headless::detail::FileFaults;
using headless::detail::TheWorld;

namespace headless::detail {

fs::path NativePath(const std::wstring& path) {
  std::string utf8;
  platform::EncodeText(path, platform::TextEncoding::Utf8, utf8, true);
  return fs::path(std::u8string(utf8.begin(), utf8.end())).lexically_normal();
}

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

// Writes bytes, cut short as a full disk would when the test asks for it.
bool WriteBytes(std::FILE* file, std::string_view bytes) {
  size_t count = bytes.size();
  const std::ptrdiff_t budget = Faults().writeBudget;
  if (budget >= 0 && static_cast<size_t>(budget) < count) count = static_cast<size_t>(budget);
  const bool written = std::fwrite(bytes.data(), 1, count, file) == count && std::fflush(file) == 0;
  return std::fclose(file) == 0 && written && count == bytes.size();
}

}  // namespace

namespace platform {

FileError ReadWholeFile(const std::wstring& path, uint64_t limit, std::string& bytes) {
  bytes.clear();
  const fs::path file = NativePath(path);
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (!fs::exists(status)) return FileError::Missing;
  if (TakeLock(file)) return FileError::Locked;
  if (!fs::is_regular_file(status)) return FileError::NotAFile;
  const uintmax_t size = fs::file_size(file, error);
  if (error) return FileError::Failed;
  if (size > limit) return FileError::TooLarge;
  std::ifstream in(file, std::ios::binary);
  if (!in) return FileError::Denied;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? FileError::Failed : FileError::None;
}

FileError WriteNewFile(const std::wstring& path, std::string_view bytes) {
  const fs::path file = NativePath(path);
  std::error_code error;
  if (fs::exists(fs::symlink_status(file, error))) return FileError::Exists;
  if (FolderRefuses(file)) return FileError::Denied;
  std::FILE* out = std::fopen(file.c_str(), "wbx");
  if (out == nullptr) return errno == EEXIST ? FileError::Exists : FileError::Failed;
  if (!WriteBytes(out, bytes)) {
    fs::remove(file, error);
    return FileError::Failed;
  }
  return FileError::None;
}

FileError ReplaceFile(const std::wstring& source, const std::wstring& target) {
  const fs::path to = NativePath(target);
  if (IsLocked(to)) return FileError::Locked;
  if (FolderRefuses(to) || FileRefuses(to)) return FileError::Denied;
  std::error_code error;
  fs::rename(NativePath(source), to, error);
  return error ? FileError::Failed : FileError::None;
}

FileError OverwriteFile(const std::wstring& path, std::string_view bytes) {
  const fs::path file = NativePath(path);
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return FileError::Missing;
  if (IsLocked(file)) return FileError::Locked;
  if (FileRefuses(file)) return FileError::Denied;
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) return FileError::Failed;
  return WriteBytes(out, bytes) ? FileError::None : FileError::Failed;
}

void DeleteFile(const std::wstring& path) {
  std::error_code error;
  fs::remove(NativePath(path), error);
}

bool IsReadOnlyFile(const std::wstring& path) { return Listed(Faults().readOnlyFiles, NativePath(path)); }

bool CanCreateFilesIn(const std::wstring& folder) {
  const fs::path native = NativePath(folder);
  std::error_code error;
  return fs::is_directory(native, error) && !Listed(Faults().closedFolders, native);
}

bool CanWriteFile(const std::wstring& path) {
  const fs::path file = NativePath(path);
  std::error_code error;
  return fs::is_regular_file(file, error) && !FileRefuses(file) && !IsLocked(file);
}

bool CreateFolders(const std::wstring& folder) {
  std::error_code error;
  fs::create_directories(NativePath(folder), error);
  return !error;
}

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
void FailFileWritesAfter(std::ptrdiff_t bytes) { Faults().writeBudget = bytes < 0 ? -1 : bytes; }

}  // namespace headless
