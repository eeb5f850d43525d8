#pragma once
// The one converter between the bytes of a text file and the program's wide
// text: UTF-8, UTF-16 in either byte order, and the system's ANSI code page
// (the one the Windows profile functions use; elsewhere a chosen code page,
// CP932 unless told otherwise).
#include <string>
#include <string_view>

namespace platform {

enum class TextEncoding { Utf8, Utf16Le, Utf16Be, Ansi };

// Strict unless replaceInvalid: false at the first sequence that is not text
// in that encoding. With replaceInvalid every such sequence becomes U+FFFD.
bool DecodeText(std::string_view bytes, TextEncoding encoding, std::wstring& out, bool replaceInvalid = false);
// Strict unless replaceInvalid: false when a character has no exact form in
// that encoding (never a best-fit look-alike). With replaceInvalid such a
// character becomes U+FFFD, or '?' where even that has no form.
bool EncodeText(std::wstring_view text, TextEncoding encoding, std::string& out, bool replaceInvalid = false);

}  // namespace platform
