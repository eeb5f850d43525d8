#include "app/ini_document.h"

#include <array>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

wchar_t FoldAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// "[name]" with blanks allowed around and inside; the name ends at the first
// ']' and anything after it (a comment) is ignored.
std::optional<std::wstring_view> SectionName(std::wstring_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != L'[') return std::nullopt;
  const size_t close = line.find(L']');
  if (close == std::wstring_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyValue {
  std::wstring_view key;
  std::wstring_view value;
};

// Comment lines start with ';'; lines without '=' hold no value.
std::optional<KeyValue> SplitKeyValue(std::wstring_view line) {
  const std::wstring_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == L';') return std::nullopt;
  const size_t equals = trimmed.find(L'=');
  if (equals == std::wstring_view::npos) return std::nullopt;
  return KeyValue{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

std::wstring_view StripQuotes(std::wstring_view value) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// A value the reader would change (outer blanks, a quoted look) is written in
// quotes so it reads back as it was.
std::wstring StorableValue(std::wstring_view value) {
  if (Trim(value) != value || StripQuotes(value) != value) return L"\"" + std::wstring(value) + L"\"";
  return std::wstring(value);
}

}  // namespace

IniDocument::IniDocument(std::wstring_view text) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      lines.push_back({std::wstring(text.substr(start)), Ending::None});
      break;
    }
    Line line{std::wstring(text.substr(start, end - start)), Ending::Lf};
    start = end + 1;
    if (text[end] == L'\r') {
      line.ending = Ending::Cr;
      if (start < text.size() && text[start] == L'\n') {
        line.ending = Ending::CrLf;
        ++start;
      }
    }
    lines.push_back(std::move(line));
  }
}

std::optional<size_t> IniDocument::FindSection(std::wstring_view section) const {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].text);
    if (name && EqualsIgnoringCase(*name, section)) return i;
  }
  return std::nullopt;
}

IniDocument::Entry IniDocument::FindKey(size_t header, std::wstring_view key) const {
  Entry lastContent{header, false};
  for (size_t i = header + 1; i < lines.size() && !SectionName(lines[i].text); ++i) {
    const auto pair = SplitKeyValue(lines[i].text);
    if (!pair) continue;
    if (EqualsIgnoringCase(pair->key, key)) return Entry{i, true};
    lastContent.line = i;
  }
  return lastContent;
}

std::optional<std::wstring> IniDocument::Find(std::wstring_view section, std::wstring_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  const Entry entry = FindKey(*header, key);
  if (!entry.found) return std::nullopt;
  return std::wstring(StripQuotes(SplitKeyValue(lines[entry.line].text)->value));
}

IniDocument::Ending IniDocument::NewLineEnding() const {
  std::array<size_t, 4> counts{};
  for (const Line& line : lines) ++counts[static_cast<size_t>(line.ending)];
  Ending most = Ending::CrLf;
  for (Ending ending : {Ending::Lf, Ending::Cr}) {
    if (counts[static_cast<size_t>(ending)] > counts[static_cast<size_t>(most)]) most = ending;
  }
  return most;
}

void IniDocument::InsertLine(size_t position, std::wstring text) {
  const Ending ending = NewLineEnding();
  // Only the last line can lack an ending; one after it needs a break first.
  if (position == lines.size() && !lines.empty() && lines.back().ending == Ending::None) {
    lines.back().ending = ending;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position), Line{std::move(text), ending});
}

bool IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (value.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos) return false;
  const std::wstring stored = StorableValue(value);
  const auto header = FindSection(section);
  if (!header) {
    if (!lines.empty() && !Trim(lines.back().text).empty()) InsertLine(lines.size(), L"");
    InsertLine(lines.size(), L"[" + std::wstring(section) + L"]");
    InsertLine(lines.size(), std::wstring(key) + L"=" + stored);
    return true;
  }
  const Entry entry = FindKey(*header, key);
  if (entry.found) {
    // Keep the key as the file spells it and the blanks around the '='.
    std::wstring& line = lines[entry.line].text;
    size_t valueStart = line.find(L'=') + 1;
    while (valueStart < line.size() && IsBlank(line[valueStart])) ++valueStart;
    line = line.substr(0, valueStart) + stored;
    return true;
  }
  InsertLine(entry.line + 1, std::wstring(key) + L"=" + stored);
  return true;
}

void IniDocument::Remove(std::wstring_view section, std::wstring_view key) {
  const auto header = FindSection(section);
  if (!header) return;
  for (Entry entry = FindKey(*header, key); entry.found; entry = FindKey(*header, key)) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(entry.line));
  }
}

std::wstring IniDocument::Text() const {
  static constexpr const wchar_t* kEndings[] = {L"", L"\r\n", L"\n", L"\r"};
  std::wstring text;
  for (const Line& line : lines) {
    text += line.text;
    text += kEndings[static_cast<size_t>(line.ending)];
  }
  return text;
}
