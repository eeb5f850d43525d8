#include <iconv.h>

#include <cerrno>
#include <algorithm>
#include <cstring>

#include "iconv_text_codec.h"

// glibc's iconv does every conversion here; the wide side is its WCHAR_T,
// which is UTF-32 in the machine's byte order.
namespace {

using platform::TextEncoding;

const char kWide[] = "WCHAR_T";

std::string EncodingName(TextEncoding encoding, uint32_t ansiCodePage) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "UTF-8";
    case TextEncoding::Utf16Le:
      return "UTF-16LE";
    case TextEncoding::Utf16Be:
      return "UTF-16BE";
    case TextEncoding::Ansi:
      break;
  }
  return "CP" + std::to_string(ansiCodePage);
}

class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : handle(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (IsOpen()) iconv_close(handle);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool IsOpen() const { return handle != reinterpret_cast<iconv_t>(-1); }

  // Converts all of in; an invalid or unconvertible sequence fails, or with a
  // replacement is skipped by skipBytes and stands as replacement in out.
  bool Run(std::string_view in, std::string& out, const std::string* replacement, size_t skipBytes) {
    out.assign(in.size() * 4 + 16, '\0');
    char* input = const_cast<char*>(in.data());
    size_t inputLeft = in.size();
    size_t used = 0;
    for (;;) {
      char* output = out.data() + used;
      size_t outputLeft = out.size() - used;
      const size_t result = inputLeft == 0 ? iconv(handle, nullptr, nullptr, &output, &outputLeft)
                                           : iconv(handle, &input, &inputLeft, &output, &outputLeft);
      const int error = errno;
      used = out.size() - outputLeft;
      if (result != static_cast<size_t>(-1)) {
        if (inputLeft == 0) break;
        continue;
      }
      if (error == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      if (replacement == nullptr) return false;
      out.resize(std::max(out.size(), used + replacement->size() + 16));
      std::memcpy(out.data() + used, replacement->data(), replacement->size());
      used += replacement->size();
      const size_t skip = std::min(skipBytes, inputLeft);
      input += skip;
      inputLeft -= skip;
      iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return true;
  }

 private:
  iconv_t handle;
};

size_t UnitBytes(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ? 2 : 1;
}

std::string ReplacementIn(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "\xEF\xBF\xBD";
    case TextEncoding::Utf16Le:
      return "\xFD\xFF";
    case TextEncoding::Utf16Be:
      return "\xFF\xFD";
    case TextEncoding::Ansi:
      break;
  }
  return "?";
}

}  // namespace

namespace posix {

bool DecodeText(std::string_view bytes, TextEncoding encoding, uint32_t ansiCodePage, std::wstring& out,
                bool replaceInvalid) {
  out.clear();
  if (bytes.empty()) return true;
  Converter converter(kWide, EncodingName(encoding, ansiCodePage));
  if (!converter.IsOpen()) return false;
  const wchar_t replacementChar = 0xFFFD;
  const std::string replacement(reinterpret_cast<const char*>(&replacementChar), sizeof replacementChar);
  std::string wide;
  if (!converter.Run(bytes, wide, replaceInvalid ? &replacement : nullptr, UnitBytes(encoding))) return false;
  out.assign(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
  return true;
}

bool EncodeText(std::wstring_view text, TextEncoding encoding, uint32_t ansiCodePage, std::string& out,
                bool replaceInvalid) {
  out.clear();
  if (text.empty()) return true;
  Converter converter(EncodingName(encoding, ansiCodePage), kWide);
  if (!converter.IsOpen()) return false;
  const std::string replacement = ReplacementIn(encoding);
  const std::string_view wide(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return converter.Run(wide, out, replaceInvalid ? &replacement : nullptr, sizeof(wchar_t));
}

}  // namespace posix
