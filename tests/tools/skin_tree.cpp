#include "tools/skin_tree.h"

#include "app/exe_path.h"

namespace fs = std::filesystem;

namespace skintest {

Bytes Strip(uint32_t width, uint32_t height) {
  return pngmaker::Encode(pngmaker::Rgba(width, height, [](uint32_t x, uint32_t y) {
    return std::array<uint8_t, 4>{uint8_t(x), uint8_t(y), 200, 255};
  }));
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes ClaimedSize(uint32_t width, uint32_t height) {
  Bytes png = pngmaker::HeaderOnly(width, height);
  const size_t idat = png.size();
  png.insert(png.end(), {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0, 0, 0, 0});
  pngmaker::FixCrc(png, idat);
  return png;
}

SkinTree::SkinTree() { fs::create_directories(SkinFolder()); }

fs::path SkinTree::SkinFolder() const { return dir.Path() / "skin"; }

void SkinTree::Write(const std::wstring& skin, const std::wstring& relative, const Bytes& bytes) const {
  const fs::path path = SkinFolder() / ToFsPath(skin) / ToFsPath(relative);
  fs::create_directories(path.parent_path());
  pngmaker::WriteFile(path, bytes);
}

void SkinTree::AddEmptySkin(const std::wstring& skin) const { fs::create_directories(SkinFolder() / ToFsPath(skin)); }

CurrentDirectory::CurrentDirectory(const fs::path& folder) : previous(fs::current_path()) {
  fs::current_path(folder);
}

CurrentDirectory::~CurrentDirectory() {
  std::error_code ignored;
  fs::current_path(previous, ignored);
}

std::wstring Native(std::wstring path) {
  for (wchar_t& c : path) {
    if (c == L'/') c = kPathSeparator;
  }
  return path;
}

}  // namespace skintest
