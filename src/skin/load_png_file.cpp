#include "skin/load_png_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/exe_path.h"

namespace {

std::FILE* Open(const std::filesystem::path& native) {
#ifdef _WIN32
  return _wfopen(native.c_str(), L"rb");
#else
  return std::fopen(native.c_str(), "rb");
#endif
}

std::FILE* Fail(PngLoadError* error, PngLoadErrorKind kind, const char* message) {
  if (error != nullptr) {
    error->kind = kind;
    error->message = message;
  }
  return nullptr;
}

}  // namespace

std::FILE* OpenStripFile(const std::wstring& path, PngLoadError* error) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return Fail(error, PngLoadErrorKind::NotFound, "");
  const std::filesystem::path native = ToFsPath(path);
  std::error_code statusError;
  const auto status = std::filesystem::status(native, statusError);
  if (!std::filesystem::exists(status)) return Fail(error, PngLoadErrorKind::NotFound, "");
  // A folder, pipe or device is no strip; a pipe would even block the read.
  if (!std::filesystem::is_regular_file(status)) {
    return Fail(error, PngLoadErrorKind::Unreadable, "not a regular file");
  }
  std::FILE* file = Open(native);
  if (file == nullptr) return Fail(error, PngLoadErrorKind::Unreadable, std::strerror(errno));
  return file;
}
