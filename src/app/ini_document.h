#pragma once
// The text of an INI file as lines, read and changed the way the Windows
// private-profile functions do: section and key names match without regard
// to ASCII letter case, the first matching section and key win, blanks around
// names and values are trimmed, and a change touches only its own line. Each
// line keeps its own ending (CR LF, LF or CR), so the file comes back as it was.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::wstring_view text);

  // The value of section/key, trimmed and without one pair of surrounding
  // quotes; nullopt when the section or the key is missing.
  std::optional<std::wstring> Find(std::wstring_view section, std::wstring_view key) const;
  // Replaces the value in place, or adds the key at the end of its section,
  // or adds the section at the end of the text. A value with a line break or
  // a NUL could not be read back: it is refused (false) and nothing changes.
  bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  // Takes the key's lines out of its section, so that no later one of the
  // same name takes its place; the section stays, even when empty.
  void Remove(std::wstring_view section, std::wstring_view key);

  std::wstring Text() const;

 private:
  enum class Ending : uint8_t { None, CrLf, Lf, Cr };
  struct Line {
    std::wstring text;
    Ending ending = Ending::None;
  };
  struct Entry {
    size_t line = 0;
    bool found = false;
  };
  // The header line of the first section named so, if any.
  std::optional<size_t> FindSection(std::wstring_view section) const;
  // The key's line within the section starting at header; and the line after
  // which a new key goes.
  Entry FindKey(size_t header, std::wstring_view key) const;
  // Added lines end as most lines of the file do; CR LF in a new file.
  Ending NewLineEnding() const;
  void InsertLine(size_t position, std::wstring text);

  std::vector<Line> lines;
};
