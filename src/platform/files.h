#pragma once
// Whole-file reading and writing as the settings file needs it: a file held
// open by another program, a folder that refuses new files and a file marked
// read-only are told apart, since each decides where settings may go.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class FileError {
  None,
  Missing,   // no such file
  Exists,    // a file or folder already has the name
  Locked,    // another program holds it open without sharing
  Denied,    // no permission (read-only file, protected folder)
  NotAFile,  // a folder or a device
  TooLarge,  // over the reader's limit
  Failed,    // anything else: a full disk, a broken medium
};

// A regular file of at most `limit` bytes, whole.
FileError ReadWholeFile(const std::wstring& path, uint64_t limit, std::string& bytes);
// Creates path, which must not exist, with bytes flushed to disk; a failed
// write leaves no file behind. Where like names an existing file, the new one
// is made with like's permissions and, where the system allows, its owner,
// before any byte is written (POSIX; on Windows ReplaceFile keeps them).
FileError WriteNewFile(const std::wstring& path, std::string_view bytes, const std::wstring& like = {});
// Puts source in the place of target in one step, replacing it; a replaced
// target's attributes and security stay (Windows: as ReplaceFileW keeps them).
FileError ReplaceFile(const std::wstring& source, const std::wstring& target);
// The file path names once symbolic links (and on Windows junctions) are
// followed, so that a save replaces the file and not the link: path itself
// when it is no link, the last link's target when that does not exist yet.
// Empty when the links cannot be followed (a loop; on Windows a link to
// nothing, whose target the system does not tell).
std::wstring FinalFilePath(const std::wstring& path);
// Rewrites an existing file's bytes in place: its name, attributes and
// permissions stay.
FileError OverwriteFile(const std::wstring& path, std::string_view bytes);
void DeleteFile(const std::wstring& path);
// The user's own read-only mark on the file.
bool IsReadOnlyFile(const std::wstring& path);
// Whether new files can be made in the folder (tried with a file of its own
// that is removed again) and whether an existing file can be rewritten
// (opened for writing, not changed).
bool CanCreateFilesIn(const std::wstring& folder);
bool CanWriteFile(const std::wstring& path);
// Makes the folder and its parents as needed.
bool CreateFolders(const std::wstring& folder);
// This program's own per-user folder, for settings its own folder cannot
// take (it may not exist yet); empty when the system has none.
std::wstring PerUserDataFolder();
// Skin folders kept apart from the program, in the order they are read after
// its own: the user's, then the system's (none on Windows). They need not
// exist; a place the system does not name is left out.
std::vector<std::wstring> UserAndSystemSkinFolders();
uint32_t CurrentProcessId();

}  // namespace platform
