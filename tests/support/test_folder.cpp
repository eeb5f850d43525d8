#include "support/test_folder.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>

#include "app/exe_path.h"

namespace fs = std::filesystem;

TestFolder::TestFolder() {
  std::random_device device;
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path = fs::temp_directory_path() / ("km-test-" + std::to_string(stamp) + "-" + std::to_string(device()));
  fs::create_directories(path);
}

TestFolder::~TestFolder() {
  std::error_code error;
  fs::remove_all(path, error);
}

std::wstring TestFolder::Wide() const { return FromFsPath(path); }

std::wstring TestFolder::Wide(std::wstring_view name) const { return JoinPath(Wide(), name); }

CurrentDirectoryScope::CurrentDirectoryScope(const fs::path& folder) : previous(fs::current_path()) {
  fs::current_path(folder);
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
  std::error_code error;
  fs::current_path(previous, error);
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
