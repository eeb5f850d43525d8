#include <unistd.h>


#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "platform/text_codec.h"

namespace platform {

FileError ReadWholeFile(const std::wstring& path, uint64_t limit, std::string& bytes) {
  return posix::ReadWholeFile(posix::NativePath(path), limit, bytes);
}

FileError WriteNewFile(const std::wstring& path, std::string_view bytes, const std::wstring& like) {
  const std::filesystem::path model = like.empty() ? std::filesystem::path() : posix::NativePath(like);
  return posix::WriteNewFile(posix::NativePath(path), bytes, model);
}

FileError ReplaceFile(const std::wstring& source, const std::wstring& target) {
  return posix::ReplaceFile(posix::NativePath(source), posix::NativePath(target));
}

FileError OverwriteFile(const std::wstring& path, std::string_view bytes) {
  return posix::OverwriteFile(posix::NativePath(path), bytes);
}

void DeleteFile(const std::wstring& path) { posix::DeleteFile(posix::NativePath(path)); }

std::wstring FinalFilePath(const std::wstring& path) {
  return posix::WidePath(posix::FinalPath(posix::NativePath(path)));
}

bool IsReadOnlyFile(const std::wstring& path) { return posix::IsReadOnlyFile(posix::NativePath(path)); }

bool CanCreateFilesIn(const std::wstring& folder) { return posix::CanCreateFilesIn(posix::NativePath(folder)); }

bool CanWriteFile(const std::wstring& path) { return posix::CanWriteFile(posix::NativePath(path)); }

bool CreateFolders(const std::wstring& folder) { return posix::CreateFolders(posix::NativePath(folder)); }

// In the XDG configuration folder: $XDG_CONFIG_HOME, else ~/.config.
std::wstring PerUserDataFolder() {
  const std::string config = posix::XdgConfigHome();
  std::wstring wide;
  return !config.empty() && DecodeText(config + "/kitemaru", TextEncoding::Utf8, wide, true) ? wide : std::wstring();
}

uint32_t CurrentProcessId() { return static_cast<uint32_t>(getpid()); }

}  // namespace platform
