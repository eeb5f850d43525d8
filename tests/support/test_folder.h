#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// afterwards, and helpers to put bytes into files and read them back.
#include <filesystem>
#include <string>
#include <string_view>

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Path() const { return path; }
  // The folder as the program spells paths, or a name inside it.
  std::wstring Wide() const;
  std::wstring Wide(std::wstring_view name) const;

 private:
  std::filesystem::path path;
};

// Makes `folder` the current directory until destroyed.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::filesystem::path& folder);
  ~CurrentDirectoryScope();
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  std::filesystem::path previous;
};

// Creates the parent folders as needed.
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& file);
