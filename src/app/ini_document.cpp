#include "app/ini_document.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

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

// "[name]" with blanks allowed around and inside; text after the last ']'
// is ignored.
std::optional<std::wstring_view> SectionName(std::wstring_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != L'[') return std::nullopt;
  const size_t close = line.rfind(L']');
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
// quotes so it reads back as it was; line breaks cannot be stored at all.
std::wstring StorableValue(std::wstring_view value) {
  std::wstring text(value);
  for (wchar_t& c : text) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  if (Trim(text) != text || StripQuotes(text) != text) return L"\"" + text + L"\"";
  return text;
}

}  // namespace

IniDocument::IniDocument(std::wstring_view text) {
  if (text.empty()) return;
  // Lines end as the file's first line ends; CR LF when it has no break.
  const size_t firstBreak = text.find(L'\n');
  if (firstBreak != std::wstring_view::npos && (firstBreak == 0 || text[firstBreak - 1] != L'\r')) newline = L"\n";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
}

std::optional<size_t> IniDocument::FindSection(std::wstring_view section) const {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i]);
    if (name && EqualsIgnoringCase(*name, section)) return i;
  }
  return std::nullopt;
}

IniDocument::Entry IniDocument::FindKey(size_t header, std::wstring_view key) const {
  Entry lastContent{header, false};
  for (size_t i = header + 1; i < lines.size() && !SectionName(lines[i]); ++i) {
    const auto pair = SplitKeyValue(lines[i]);
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
  return std::wstring(StripQuotes(SplitKeyValue(lines[entry.line])->value));
}

void IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  const std::wstring stored = StorableValue(value);
  const auto header = FindSection(section);
  if (!header) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back(L"[" + std::wstring(section) + L"]");
    lines.push_back(std::wstring(key) + L"=" + stored);
    return;
  }
  const Entry entry = FindKey(*header, key);
  if (entry.found) {
    // Keep the key as the file spells it and the blanks around the '='.
    std::wstring& line = lines[entry.line];
    size_t valueStart = line.find(L'=') + 1;
    while (valueStart < line.size() && IsBlank(line[valueStart])) ++valueStart;
    line = line.substr(0, valueStart) + stored;
    return;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(entry.line) + 1, std::wstring(key) + L"=" + stored);
}

std::wstring IniDocument::Text() const {
  std::wstring text;
  for (const std::wstring& line : lines) {
    text += line;
    text += newline;
  }
  return text;
}
