#include "posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/text_codec.h"

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

// The kernel's own limit on links followed in one lookup.
constexpr int kMaxLinks = 40;

// Root may hand the file to the model's owner; anyone may pass it to a group
// of their own. What is refused stays as created: the creator's, private.
bool TakeOwnerAndMode(int fd, const struct stat& model) {
  const bool owner =
      fchown(fd, model.st_uid, model.st_gid) == 0 || fchown(fd, static_cast<uid_t>(-1), model.st_gid) == 0;
  return fchmod(fd, model.st_mode & 07777) == 0 && owner;
}

}  // namespace

namespace posix {

fs::path NativePath(const std::wstring& path) {
  std::string utf8;
  platform::EncodeText(path, platform::TextEncoding::Utf8, utf8, true);
  return fs::path(std::u8string(utf8.begin(), utf8.end())).lexically_normal();
}

std::wstring WidePath(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  std::wstring wide;
  if (!platform::DecodeText(std::string(utf8.begin(), utf8.end()), platform::TextEncoding::Utf8, wide)) return {};
  return wide;
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

FileError WriteNewFile(const fs::path& file, std::string_view bytes, const fs::path& like) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(file, error))) return FileError::Exists;
  struct stat model {};
  const bool hasModel = !like.empty() && stat(like.c_str(), &model) == 0 && S_ISREG(model.st_mode);
  // With a model the text may be private: nobody else may open the file
  // before it has the model's permissions.
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, hasModel ? 0600 : 0666);
  if (fd < 0) return FromErrno(errno);
  if (hasModel) TakeOwnerAndMode(fd, model);
  std::FILE* out = fdopen(fd, "wb");
  if (out == nullptr) {
    close(fd);
    fs::remove(file, error);
    return FileError::Failed;
  }
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

fs::path FinalPath(const fs::path& file) {
  fs::path current = file;
  for (int links = 0; links <= kMaxLinks; ++links) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(current, error))) return current;
    const fs::path target = fs::read_symlink(current, error);
    if (error) return {};
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return {};
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

std::string XdgConfigHome() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') return config;
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return std::string(home) + "/.config";
  return {};
}

}  // namespace posix
