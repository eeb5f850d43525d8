#pragma once
// The text of an INI file as lines, read and changed the way the Windows
// private-profile functions do: section and key names match without regard
// to ASCII letter case, the first matching section and key win, blanks around
// names and values are trimmed, and a change touches only its own line.
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
  // or adds the section at the end of the text.
  void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  // Every line ends with the line break the text used.
  std::wstring Text() const;

 private:
  struct Entry {
    size_t line = 0;
    bool found = false;
  };
  // The header line of the first section named so, if any.
  std::optional<size_t> FindSection(std::wstring_view section) const;
  // The key's line within the section starting at header; and the line after
  // which a new key goes.
  Entry FindKey(size_t header, std::wstring_view key) const;

  std::vector<std::wstring> lines;
  std::wstring newline = L"\r\n";
};
