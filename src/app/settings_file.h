#pragma once
// Where config.ini is read from and saved to. Beside the program whenever
// its folder allows, through a symbolic link into the file it leads to; in
// place when the folder takes no new files but the file itself can be
// written; otherwise, or when a save there fails, in a per-user copy, which
// later starts read while it is newer than the program's own file and was
// saved for it. A file that could
// not be read, or that the user marked read-only, is never written.
// A program installed for the whole system writes nothing beside itself,
// even run by root: its folder belongs to the system's package manager.
#include <string>

#include "app/ini_file.h"
#include "platform/files.h"

// A save that no place took: the last file tried and why it refused.
struct SaveFailure {
  std::wstring path;
  platform::FileError reason = platform::FileError::None;
};

#ifdef KITEMARU_SYSTEM_INSTALL
inline constexpr bool kSettingsBesideProgram = false;
#else
inline constexpr bool kSettingsBesideProgram = true;
#endif

class SettingsFile {
 public:
  // besideProgram false: only the per-user copy is ever written.
  explicit SettingsFile(std::wstring programPath, bool besideProgram = kSettingsBesideProgram);

  // Reads the settings into file (empty when there are none or they cannot
  // be read). A locked file is tried again for about a second.
  void Load(IniFile& file);
  // Reads the file again before a save, as the profile functions do, so
  // that what was changed in it meanwhile is kept; where it is gone or
  // cannot be read now, file is what Load read, and a file unreadable now is
  // not written over. False when nothing is to be written: frozen at start.
  bool Reload(IniFile& file);
  // Saves what Reload gave, changed. True when a place took it or the user
  // froze the file meanwhile; false when no place did (see LastFailure).
  bool Save(IniFile& file);

  const SaveFailure& LastFailure() const { return failure; }
  // The file a save goes to first, links followed: what two programs running
  // at once must not share.
  std::wstring OwnPath() const;

 private:
  std::wstring PerUserPath() const;
  bool ProgramPlaceWritable(const std::wstring& program) const;
  // Whether the per-user copy holds this program's last save rather than
  // another copy's of the program elsewhere.
  bool PerUserStandsInFor(const std::wstring& perUser) const;
  // None when the copy at path took bytes, else why not.
  platform::FileError SaveAt(const std::wstring& path, const std::string& bytes) const;

  std::wstring programPath;
  bool besideProgram = true;
  std::wstring readPath;
  bool frozen = false;
  IniFile loaded;
  // Why readPath could not be read just before this save; None when it could.
  platform::FileError unreadableNow = platform::FileError::None;
  SaveFailure failure;
};
