#pragma once
// Skins built on disk for the checker's tests: a temporary folder holding
// "skin", as the folder of kitemaru.exe would.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "skin_png/png_maker.h"

namespace skintest {

using Bytes = std::vector<uint8_t>;

// An opaque RGBA strip.
Bytes Strip(uint32_t width, uint32_t height);
Bytes Text(const std::string& text);
// A PNG header claiming the size, then an empty image data chunk: enough for
// the decoder to read the size, nothing to decode.
Bytes ClaimedSize(uint32_t width, uint32_t height);

class SkinTree {
 public:
  SkinTree();
  // The folder holding "skin".
  const std::filesystem::path& Root() const { return dir.Path(); }
  std::filesystem::path SkinFolder() const;
  // A file of skin at relative ('/' between folders), with its folders.
  void Write(const std::wstring& skin, const std::wstring& relative, const Bytes& bytes) const;
  // A skin folder with nothing in it.
  void AddEmptySkin(const std::wstring& skin) const;

 private:
  pngmaker::TempDir dir;
};

// The current directory for one scope; the checker works from it as the program does.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& folder);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path previous;
};

// path with '/' as this system's separator, as the checker prints paths.
std::wstring Native(std::wstring path);

}  // namespace skintest
