#pragma once
// Whole-file reading and writing on a POSIX file system, shared by the
// backends that run there. Paths are the program's wide paths in UTF-8.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace posix {

std::filesystem::path NativePath(const std::wstring& path);
// The program's wide path of a native one; empty when its bytes are no UTF-8.
std::wstring WidePath(const std::filesystem::path& path);

platform::FileError ReadWholeFile(const std::filesystem::path& file, uint64_t limit, std::string& bytes);
platform::FileError WriteNewFile(const std::filesystem::path& file, std::string_view bytes,
                                 const std::filesystem::path& like = {});
platform::FileError ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target);
platform::FileError OverwriteFile(const std::filesystem::path& file, std::string_view bytes);
void DeleteFile(const std::filesystem::path& file);
// Follows symbolic links, a relative one from its own folder; see
// platform::FinalFilePath.
std::filesystem::path FinalPath(const std::filesystem::path& file);
// No write permission for its owner: the closest thing to a read-only mark.
bool IsReadOnlyFile(const std::filesystem::path& file);
bool CanCreateFilesIn(const std::filesystem::path& folder);
bool CanWriteFile(const std::filesystem::path& file);
bool CreateFolders(const std::filesystem::path& folder);
// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config; empty
// when neither names an absolute path.
std::string XdgConfigHome();

}  // namespace posix
