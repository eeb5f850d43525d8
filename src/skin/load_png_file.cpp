#include "skin/load_png_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

#ifdef _WIN32
using NativePath = std::wstring;

bool ToNative(const std::wstring& path, NativePath& native) {
  if (path.find(L'\0') != std::wstring::npos) return false;
  native = path;
  return true;
}

std::FILE* Open(const NativePath& native) { return _wfopen(native.c_str(), L"rb"); }
#else
using NativePath = std::string;

// wchar_t holds UTF-32 here; file names are UTF-8 bytes. Converted by hand
// because the standard conversions throw on what they cannot encode.
bool ToNative(const std::wstring& path, NativePath& native) {
  native.clear();
  native.reserve(path.size());
  for (wchar_t wide : path) {
    const uint32_t c = static_cast<uint32_t>(wide);
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    if (c < 0x80) {
      native += char(c);
    } else if (c < 0x800) {
      native += char(0xC0 | (c >> 6));
      native += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      native += char(0xE0 | (c >> 12));
      native += char(0x80 | ((c >> 6) & 0x3F));
      native += char(0x80 | (c & 0x3F));
    } else {
      native += char(0xF0 | (c >> 18));
      native += char(0x80 | ((c >> 12) & 0x3F));
      native += char(0x80 | ((c >> 6) & 0x3F));
      native += char(0x80 | (c & 0x3F));
    }
  }
  return true;
}

std::FILE* Open(const NativePath& native) { return std::fopen(native.c_str(), "rb"); }
#endif

}  // namespace

namespace {

std::FILE* Fail(PngLoadError* error, PngLoadErrorKind kind, const char* message) {
  if (error != nullptr) {
    error->kind = kind;
    error->message = message;
  }
  return nullptr;
}

}  // namespace

std::FILE* OpenStripFile(const std::wstring& path, PngLoadError* error) {
  NativePath native;
  if (path.empty() || !ToNative(path, native)) return Fail(error, PngLoadErrorKind::NotFound, "");
  std::error_code statusError;
  const auto status = std::filesystem::status(std::filesystem::path(native), statusError);
  if (!std::filesystem::exists(status)) return Fail(error, PngLoadErrorKind::NotFound, "");
  // A folder, pipe or device is no strip; a pipe would even block the read.
  if (!std::filesystem::is_regular_file(status)) {
    return Fail(error, PngLoadErrorKind::Unreadable, "not a regular file");
  }
  std::FILE* file = Open(native);
  if (file == nullptr) return Fail(error, PngLoadErrorKind::Unreadable, std::strerror(errno));
  return file;
}
