#include "skin/skin_path.h"

#include "app/exe_path.h"

std::wstring MakeSkinFilePath(std::wstring_view name, std::wstring_view file) {
  std::wstring path = kSkinFolder;
  path += kPathSeparator;
  path += name;
  path += kPathSeparator;
  const size_t fileStart = path.size();
  path += file;
  for (size_t i = fileStart; i < path.size(); ++i) {
    if (path[i] == L'\\') path[i] = kPathSeparator;
  }
  return path;
}
