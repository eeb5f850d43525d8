#pragma once
// Where config.ini is read from and saved to. Beside the program whenever
// its folder allows; in place when the folder takes no new files but the
// file itself can be written; otherwise in a per-user copy. A file that
// could not be read, or that the user marked read-only, is never written.
#include <string>

#include "app/ini_file.h"

class SettingsFile {
 public:
  explicit SettingsFile(std::wstring programPath);

  // Reads the settings into file (empty when there are none or they cannot
  // be read). A locked file is tried again for about a second.
  void Load(IniFile& file);
  // Reads the file again before a save, as the profile functions do, so
  // that what was changed in it meanwhile is kept. False when it must not be
  // written: frozen at start, or no longer readable.
  bool Reload(IniFile& file) const;
  // False when nothing was written: the settings are frozen, or no place
  // took them.
  bool Save(IniFile& file) const;

  // Where the last Load read from.
  const std::wstring& ReadPath() const { return readPath; }
  bool IsFrozen() const { return frozen; }

 private:
  std::wstring PerUserPath() const;
  bool ProgramPlaceWritable() const;

  std::wstring programPath;
  std::wstring readPath;
  bool frozen = false;
};
