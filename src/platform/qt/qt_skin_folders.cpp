#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/text_codec.h"

namespace platform {

namespace {

// XDG base directories: only absolute paths count; a relative one is ignored.
bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

void AddSkinFolder(std::vector<std::wstring>& folders, const std::string& dataFolder) {
  std::wstring wide;
  if (IsAbsolute(dataFolder) && DecodeText(dataFolder + "/kitemaru/skin", TextEncoding::Utf8, wide, true)) {
    folders.push_back(wide);
  }
}

}  // namespace

// $XDG_DATA_HOME (else ~/.local/share), then each of $XDG_DATA_DIRS (else
// /usr/local/share:/usr/share), each with kitemaru/skin.
std::vector<std::wstring> UserAndSystemSkinFolders() {
  std::vector<std::wstring> folders;
  const std::string dataHome = Environment("XDG_DATA_HOME");
  const std::string home = Environment("HOME");
  if (IsAbsolute(dataHome)) {
    AddSkinFolder(folders, dataHome);
  } else if (IsAbsolute(home)) {
    AddSkinFolder(folders, home + "/.local/share");
  }
  std::string dataDirs = Environment("XDG_DATA_DIRS");
  if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
  size_t start = 0;
  while (start <= dataDirs.size()) {
    size_t end = dataDirs.find(':', start);
    if (end == std::string::npos) end = dataDirs.size();
    AddSkinFolder(folders, dataDirs.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

}  // namespace platform
