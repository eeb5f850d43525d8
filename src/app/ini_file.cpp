#include "app/ini_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/exe_path.h"
#include "app/ini_document.h"
#include "app/ini_encoding.h"

namespace fs = std::filesystem;

namespace {

std::ptrdiff_t writeBudget = -1;

bool WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  size_t count = bytes.size();
  if (writeBudget >= 0 && static_cast<size_t>(writeBudget) < count) count = static_cast<size_t>(writeBudget);
  out.write(bytes.data(), static_cast<std::streamsize>(count));
  out.close();
  return out.good() && count == bytes.size();
}

}  // namespace

void FailIniWritesAfter(std::ptrdiff_t bytes) { writeBudget = bytes; }

bool LoadIniFile(const std::wstring& path, IniDocument& ini) {
  ini = IniDocument();
  const fs::path file = ToFsPath(path);
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  if (error || size > kIniFileMaxBytes) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  if (in.bad()) return false;
  ini = IniDocument(DecodeIniBytes(bytes));
  return true;
}

bool SaveIniFile(const std::wstring& path, const IniDocument& ini) {
  const fs::path target = ToFsPath(path);
  fs::path temporary = target;
  temporary += ".tmp";
  std::error_code error;
  if (!WriteAll(temporary, WideToUtf8(ini.Text()))) {
    fs::remove(temporary, error);
    return false;
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}
