#include "win32_windows.h"

#include <climits>

#include "platform/text_codec.h"

// Wide strings are UTF-16 here: UTF-16 files need no conversion beyond the
// byte order, and the rest goes through the system's own code page tables,
// the same ones the profile functions use (CP_ACP).
namespace {

using platform::TextEncoding;

constexpr wchar_t kReplacement = 0xFFFD;

UINT CodePage(TextEncoding encoding) { return encoding == TextEncoding::Ansi ? CP_ACP : CP_UTF8; }

bool FitsInt(size_t size) { return size <= static_cast<size_t>(INT_MAX / 4); }

bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::wstring& out, bool replaceInvalid) {
  const size_t units = bytes.size() / 2;
  out.resize(units);
  for (size_t k = 0; k < units; ++k) {
    const auto first = static_cast<unsigned char>(bytes[2 * k]);
    const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
    out[k] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  if (bytes.size() % 2 == 0) return true;
  if (!replaceInvalid) return false;
  out.push_back(kReplacement);
  return true;
}

void EncodeUtf16(std::wstring_view text, bool bigEndian, std::string& out) {
  out.resize(text.size() * 2);
  for (size_t k = 0; k < text.size(); ++k) {
    const auto unit = static_cast<uint16_t>(text[k]);
    out[2 * k + (bigEndian ? 1 : 0)] = static_cast<char>(unit & 0xFF);
    out[2 * k + (bigEndian ? 0 : 1)] = static_cast<char>(unit >> 8);
  }
}

}  // namespace

namespace platform {

bool DecodeText(std::string_view bytes, TextEncoding encoding, std::wstring& out, bool replaceInvalid) {
  out.clear();
  if (bytes.empty()) return true;
  if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
    return DecodeUtf16(bytes, encoding == TextEncoding::Utf16Be, out, replaceInvalid);
  }
  if (!FitsInt(bytes.size())) return false;
  const DWORD flags = replaceInvalid ? 0 : MB_ERR_INVALID_CHARS;
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(CodePage(encoding), flags, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return false;
  out.resize(static_cast<size_t>(needed));
  return MultiByteToWideChar(CodePage(encoding), flags, bytes.data(), length, out.data(), needed) == needed;
}

bool EncodeText(std::wstring_view text, TextEncoding encoding, std::string& out, bool replaceInvalid) {
  out.clear();
  if (text.empty()) return true;
  if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
    EncodeUtf16(text, encoding == TextEncoding::Utf16Be, out);
    return true;
  }
  if (!FitsInt(text.size())) return false;
  const UINT codePage = CodePage(encoding);
  // Best-fit mapping would turn a character into a look-alike: not exact.
  const DWORD flags = codePage == CP_UTF8 ? (replaceInvalid ? 0 : WC_ERR_INVALID_CHARS) : WC_NO_BEST_FIT_CHARS;
  const int length = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int needed = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultOut);
  if (needed <= 0) return false;
  out.resize(static_cast<size_t>(needed));
  if (WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), needed, nullptr, usedDefaultOut) !=
      needed) {
    return false;
  }
  return replaceInvalid || !usedDefault;
}

}  // namespace platform
