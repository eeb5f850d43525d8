#pragma once
// How the bytes of a settings or skin file hold its text: every form Windows
// writes is recognised, and a file is saved back in its own form whenever
// that form holds the text exactly.
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_codec.h"

struct TextForm {
  platform::TextEncoding encoding = platform::TextEncoding::Utf8;
  bool byteOrderMark = false;
  friend bool operator==(const TextForm&, const TextForm&) = default;
};

// In this order: UTF-32 byte-order marks (nothing: such a file is neither
// read nor written), UTF-16 marks, the UTF-8 mark, text that is valid UTF-8,
// UTF-16LE recognised by its zero bytes, and otherwise the ANSI code page.
std::optional<TextForm> DetectTextForm(std::string_view bytes);
// The text after the byte-order mark; any further marks at its start are
// dropped, and bytes that are no text in the form become U+FFFD.
std::wstring DecodeTextFile(std::string_view bytes, const TextForm& form);
// The bytes of text in form. Where the form cannot hold the text exactly, or
// those bytes would read back as other text, the text goes out as UTF-8 with
// a byte-order mark instead and form says so.
std::string EncodeTextFile(std::wstring_view text, TextForm& form);

// For file-system names; what does not convert becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view text);
