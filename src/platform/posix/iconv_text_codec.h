#pragma once
// The text converter of the POSIX backends, on glibc's iconv; the ANSI code
// page is the backend's choice.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace posix {

bool DecodeText(std::string_view bytes, platform::TextEncoding encoding, uint32_t ansiCodePage, std::wstring& out,
                bool replaceInvalid);
bool EncodeText(std::wstring_view text, platform::TextEncoding encoding, uint32_t ansiCodePage, std::string& out,
                bool replaceInvalid);

}  // namespace posix
