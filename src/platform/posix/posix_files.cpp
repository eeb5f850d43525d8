#include "posix_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "../text_codec.h"

namespace fs = std::filesystem;
using platform::FileError;

namespace {

FileError FromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return FileError::Missing;
    case EEXIST:
      return FileError::Exists;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileError::Denied;
    case EISDIR:
      return FileError::NotAFile;
    default:
      return FileError::Failed;
  }
}

// Writes all of bytes and puts them on disk before the file is closed.
bool WriteAndClose(std::FILE* file, std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0 &&
                       fsync(fileno(file)) == 0;
  return std::fclose(file) == 0 && written;
}

}  // namespace

namespace posix {

fs::path NativePath(const std::wstring& path) {
  std::string utf8;
  platform::EncodeText(path, platform::TextEncoding::Utf8, utf8, true);
  return fs::path(std::u8string(utf8.begin(), utf8.end())).lexically_normal();
}

FileError ReadWholeFile(const fs::path& file, uint64_t limit, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (!fs::exists(status)) return FileError::Missing;
  if (!fs::is_regular_file(status)) return FileError::NotAFile;
  const uintmax_t size = fs::file_size(file, error);
  if (error) return FileError::Failed;
  if (size > limit) return FileError::TooLarge;
  std::ifstream in(file, std::ios::binary);
  if (!in) return FileError::Denied;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? FileError::Failed : FileError::None;
}

FileError WriteNewFile(const fs::path& file, std::string_view bytes) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(file, error))) return FileError::Exists;
  std::FILE* out = std::fopen(file.c_str(), "wbx");
  if (out == nullptr) return FromErrno(errno);
  if (!WriteAndClose(out, bytes)) {
    fs::remove(file, error);
    return FileError::Failed;
  }
  return FileError::None;
}

FileError ReplaceFile(const fs::path& source, const fs::path& target) {
  return std::rename(source.c_str(), target.c_str()) == 0 ? FileError::None : FromErrno(errno);
}

FileError OverwriteFile(const fs::path& file, std::string_view bytes) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return FileError::Missing;
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) return FromErrno(errno);
  return WriteAndClose(out, bytes) ? FileError::None : FileError::Failed;
}

void DeleteFile(const fs::path& file) {
  std::error_code error;
  fs::remove(file, error);
}

bool IsReadOnlyFile(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  return fs::is_regular_file(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool CanCreateFilesIn(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  // Permissions, read-only mounts and access control lists all decide, so
  // only a try tells.
  const fs::path probe = folder / (".kitemaru-probe-" + std::to_string(getpid()));
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

bool CanWriteFile(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return false;
  const int fd = open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool CreateFolders(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  return fs::is_directory(folder, error);
}

}  // namespace posix
