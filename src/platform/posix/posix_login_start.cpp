#include "posix_login_start.h"

#include <string_view>

#include "platform/files.h"
#include "platform/login_start.h"
#include "platform/text_codec.h"

using platform::FileError;

namespace {

constexpr wchar_t kEntryName[] = L"/kitemaru.desktop";
constexpr wchar_t kNewSuffix[] = L".new";
constexpr uint64_t kEntryMaxBytes = 64 * 1024;
constexpr std::string_view kGroup = "[Desktop Entry]";

std::wstring EntryPath() {
  const std::wstring folder = posix::AutostartFolder();
  return folder.empty() ? std::wstring() : folder + kEntryName;
}

// One argument of Exec: inside double quotes ", `, $ and \ take a backslash;
// % is doubled for the field codes.
std::string QuotedArgument(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + '"';
}

bool NeedsQuotes(std::string_view text) {
  return text.empty() || text.find_first_of(" \t\n\"'\\><~|&;$*?#()`%") != std::string_view::npos;
}

// The escapes of a string value, over those of the argument.
std::string EscapedValue(std::string_view value) {
  std::string escaped;
  for (const char c : value) {
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\t') {
      escaped += "\\t";
    } else if (c == '\r') {
      escaped += "\\r";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string UnescapedValue(std::string_view value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    const char next = value[++i];
    text += next == 's' ? ' ' : next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
  }
  return text;
}

std::string FirstArgument(std::string_view exec) {
  size_t i = exec.find_first_not_of(" \t");
  if (i == std::string_view::npos) return {};
  std::string argument;
  if (exec[i] != '"') {
    const size_t end = exec.find_first_of(" \t", i);
    argument = exec.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
  } else {
    for (++i; i < exec.size() && exec[i] != '"'; ++i) {
      if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
      argument += exec[i];
    }
    if (i == exec.size()) return {};  // no closing quote
  }
  std::string program;
  for (size_t k = 0; k < argument.size(); ++k) {
    program += argument[k];
    if (argument[k] == '%' && k + 1 < argument.size() && argument[k + 1] == '%') ++k;
  }
  return program;
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The program the entry's Exec starts; empty when it starts none or is
// switched off (Hidden, or the GNOME key at false).
std::string EntryProgram(std::string_view bytes) {
  bool inGroup = false;
  std::string exec;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    const std::string_view line = Trimmed(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.starts_with('[')) {
      inGroup = line == kGroup;
      continue;
    }
    const size_t equals = line.find('=');
    if (!inGroup || line.starts_with('#') || equals == std::string_view::npos) continue;
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false")) return {};
    if (key == "Exec" && exec.empty()) exec = UnescapedValue(value);
  }
  return FirstArgument(exec);
}

std::string EntryFor(std::string_view program, std::string_view argument) {
  std::string exec = QuotedArgument(program);
  if (!argument.empty()) exec += ' ' + (NeedsQuotes(argument) ? QuotedArgument(argument) : std::string(argument));
  return std::string(kGroup) +
         "\n"
         "Type=Application\n"
         "Name=KITE-MARU\n"
         "Exec=" +
         EscapedValue(exec) +
         "\n"
         "Icon=kitemaru\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace

namespace platform {

std::wstring LoginStartProgram() {
  const std::wstring path = EntryPath();
  std::string bytes;
  if (path.empty() || ReadWholeFile(path, kEntryMaxBytes, bytes) != FileError::None) return {};
  std::wstring program;
  return DecodeText(EntryProgram(bytes), TextEncoding::Utf8, program) ? program : std::wstring();
}

bool SetLoginStart(const std::wstring& program, std::wstring_view argument) {
  const std::wstring path = EntryPath();
  std::string programBytes;
  std::string argumentBytes;
  if (path.empty() || !EncodeText(program, TextEncoding::Utf8, programBytes) ||
      !EncodeText(argument, TextEncoding::Utf8, argumentBytes)) {
    return false;
  }
  CreateFolders(posix::AutostartFolder());
  // Written aside and renamed into place: the desktop never reads half an entry.
  const std::wstring written = path + kNewSuffix;
  DeleteFile(written);
  if (WriteNewFile(written, EntryFor(programBytes, argumentBytes)) != FileError::None) return false;
  if (ReplaceFile(written, path) == FileError::None) return true;
  DeleteFile(written);
  return false;
}

bool RemoveLoginStart() {
  const std::wstring path = EntryPath();
  if (path.empty()) return true;
  DeleteFile(path);
  std::string bytes;
  return ReadWholeFile(path, kEntryMaxBytes, bytes) == FileError::Missing;
}

}  // namespace platform
