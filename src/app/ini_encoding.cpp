#include "app/ini_encoding.h"

#include <algorithm>

using platform::TextEncoding;

namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;

std::string_view MarkOf(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "\xEF\xBB\xBF";
    case TextEncoding::Utf16Le:
      return "\xFF\xFE";
    case TextEncoding::Utf16Be:
      return "\xFE\xFF";
    case TextEncoding::Ansi:
      break;
  }
  return "";
}

// NUL is no part of text: UTF-16 files are full of it and still valid UTF-8.
bool IsUtf8Text(std::string_view bytes) {
  std::wstring ignored;
  return bytes.find('\0') == std::string_view::npos && platform::DecodeText(bytes, TextEncoding::Utf8, ignored);
}

// Text in UTF-16LE has a zero high byte for every ASCII character (the keys
// and brackets of any INI file) and rarely a zero low byte.
bool LooksLikeUtf16Le(std::string_view bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  size_t lowZeros = 0;
  size_t highZeros = 0;
  for (size_t i = 0; i < bytes.size(); i += 2) {
    lowZeros += bytes[i] == '\0' ? 1 : 0;
    highZeros += bytes[i + 1] == '\0' ? 1 : 0;
  }
  const size_t units = bytes.size() / 2;
  std::wstring ignored;
  return highZeros * 4 >= units && lowZeros * 8 <= highZeros &&
         platform::DecodeText(bytes, TextEncoding::Utf16Le, ignored);
}

}  // namespace

std::optional<TextForm> DetectTextForm(std::string_view bytes) {
  using namespace std::string_view_literals;
  if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv)) return std::nullopt;
  for (TextEncoding encoding : {TextEncoding::Utf16Le, TextEncoding::Utf16Be, TextEncoding::Utf8}) {
    if (bytes.starts_with(MarkOf(encoding))) return TextForm{encoding, true};
  }
  if (IsUtf8Text(bytes)) return TextForm{TextEncoding::Utf8, false};
  if (LooksLikeUtf16Le(bytes)) return TextForm{TextEncoding::Utf16Le, false};
  return TextForm{TextEncoding::Ansi, false};
}

std::wstring DecodeTextFile(std::string_view bytes, const TextForm& form) {
  if (form.byteOrderMark) bytes.remove_prefix(std::min(bytes.size(), MarkOf(form.encoding).size()));
  std::wstring text;
  platform::DecodeText(bytes, form.encoding, text, true);
  const size_t start = text.find_first_not_of(kByteOrderMark);
  text.erase(0, start == std::wstring::npos ? text.size() : start);
  return text;
}

std::string EncodeTextFile(std::wstring_view text, TextForm& form) {
  std::string bytes(form.byteOrderMark ? MarkOf(form.encoding) : "");
  std::string body;
  bool exact = platform::EncodeText(text, form.encoding, body);
  bytes += body;
  if (exact) {
    const auto readBack = DetectTextForm(bytes);
    exact = readBack && DecodeTextFile(bytes, *readBack) == text;
  }
  if (exact) return bytes;
  form = TextForm{TextEncoding::Utf8, true};
  platform::EncodeText(text, TextEncoding::Utf8, body, true);
  return std::string(MarkOf(TextEncoding::Utf8)) + body;
}

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring text;
  platform::DecodeText(utf8, TextEncoding::Utf8, text, true);
  return text;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string bytes;
  platform::EncodeText(text, TextEncoding::Utf8, bytes, true);
  return bytes;
}
