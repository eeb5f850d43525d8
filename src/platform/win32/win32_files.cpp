#include "win32_windows.h"
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/files.h"

namespace {

using platform::FileError;

FileError FromError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileError::Missing;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileError::Exists;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileError::Locked;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
      return FileError::Denied;
    default:
      return FileError::Failed;
  }
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle(handle) {}
  ~Handle() {
    if (IsOpen()) CloseHandle(handle);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle; }
  bool Close() {
    const bool closed = CloseHandle(handle) != FALSE;
    handle = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

namespace platform {

FileError ReadWholeFile(const std::wstring& path, uint64_t limit, std::string& bytes) {
  bytes.clear();
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    const DWORD error = GetLastError();
    return IsFolder(path) ? FileError::NotAFile : FromError(error);
  }
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) return FileError::NotAFile;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return FileError::Failed;
  if (static_cast<uint64_t>(size.QuadPart) > limit) return FileError::TooLarge;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) return FromError(GetLastError());
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return FileError::None;
}

// The permissions a replaced file had are kept by ReplaceFile here, so like
// is not needed.
FileError WriteNewFile(const std::wstring& path, std::string_view bytes, const std::wstring&) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    const DWORD error = GetLastError();
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? FileError::Exists : FromError(error);
  }
  const bool written = WriteAll(file.Get(), bytes);
  if (file.Close() && written) return FileError::None;
  DeleteFileW(path.c_str());
  return FileError::Failed;
}

FileError ReplaceFile(const std::wstring& source, const std::wstring& target) {
  // ReplaceFileW gives the new file the replaced one's attributes, security
  // and streams, where a move would leave it with the folder's defaults;
  // it needs a file to replace.
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (::ReplaceFileW(target.c_str(), source.c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
      return FileError::None;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return IsFolder(target) ? FileError::NotAFile : FromError(error);
  }
  if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return FileError::None;
  }
  return FromError(GetLastError());
}

FileError OverwriteFile(const std::wstring& path, std::string_view bytes) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return FromError(GetLastError());
  if (!WriteAll(file.Get(), bytes) || !SetEndOfFile(file.Get())) return FileError::Failed;
  return file.Close() ? FileError::None : FileError::Failed;
}

void DeleteFile(const std::wstring& path) { DeleteFileW(path.c_str()); }

std::wstring FinalFilePath(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
  // NOTE: a link to nothing cannot be opened, and its target is only told by
  // its raw reparse data; it is not written through.
  Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.IsOpen()) return {};
  std::wstring resolved(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(file.Get(), resolved.data(), static_cast<DWORD>(resolved.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    // Too small: the length asked for counts the terminator.
    const bool fits = length < resolved.size();
    resolved.resize(length);
    if (fits) return resolved;
  }
}

bool IsReadOnlyFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool CanCreateFilesIn(const std::wstring& folder) {
  // Access rights and file-system redirection decide, so only a try tells;
  // the probe goes again when its handle closes.
  for (int attempt = 0; attempt < 4; ++attempt) {
    const std::wstring probe = folder + L"\\kitemaru-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(attempt) + L".tmp";
    Handle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file.IsOpen()) return true;
    if (GetFileAttributesW(probe.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  }
  return false;
}

bool CanWriteFile(const std::wstring& path) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsOpen();
}

bool CreateFolders(const std::wstring& folder) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder), error);
  return IsFolder(folder);
}

std::wstring PerUserDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return std::wstring(path) + L"\\KITE-MARU";
  }
  return {};
}

uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

}  // namespace platform
