#pragma once
// Skins built on disk for the checker's tests: a temporary folder holding
// "skin", as the folder of kitemaru.exe would.
#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/exe_path.h"
#include "support/png_maker.h"
#include "support/test_folder.h"

namespace skintest {

using Bytes = std::vector<uint8_t>;

// An opaque RGBA strip.
inline Bytes Strip(uint32_t width, uint32_t height) {
  return pngmaker::Encode(pngmaker::Rgba(width, height, [](uint32_t x, uint32_t y) {
    return std::array<uint8_t, 4>{uint8_t(x), uint8_t(y), 200, 255};
  }));
}

class SkinTree : public TestFolder {
 public:
  SkinTree() { std::filesystem::create_directories(Path() / "skin"); }
  // A file of skin at relative ('/' between folders), with its folders.
  void Write(const std::wstring& skin, const std::wstring& relative, std::string_view bytes) const {
    WriteBytes(Path() / "skin" / ToFsPath(skin) / ToFsPath(relative), bytes);
  }
  void Write(const std::wstring& skin, const std::wstring& relative, const Bytes& bytes) const {
    Write(skin, relative, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
};

// path with '/' as this system's separator, as the checker prints paths.
inline std::wstring Native(std::wstring path) {
  std::replace(path.begin(), path.end(), L'/', kPathSeparator);
  return path;
}

}  // namespace skintest
