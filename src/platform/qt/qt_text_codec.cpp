#include <cstdlib>
#include <string>

#include "platform/posix/iconv_text_codec.h"
#include "platform/text_codec.h"

// Settings written on Japanese Windows are CP932; KITEMARU_ANSI_CODEPAGE
// picks another code page for files from elsewhere.
namespace {

uint32_t AnsiCodePage() {
  static const uint32_t codePage = [] {
    const char* chosen = std::getenv("KITEMARU_ANSI_CODEPAGE");
    const unsigned long value = chosen != nullptr ? std::strtoul(chosen, nullptr, 10) : 0;
    return value > 0 && value < 65536 ? static_cast<uint32_t>(value) : 932u;
  }();
  return codePage;
}

}  // namespace

namespace platform {

bool DecodeText(std::string_view bytes, TextEncoding encoding, std::wstring& out, bool replaceInvalid) {
  return posix::DecodeText(bytes, encoding, AnsiCodePage(), out, replaceInvalid);
}

bool EncodeText(std::wstring_view text, TextEncoding encoding, std::string& out, bool replaceInvalid) {
  return posix::EncodeText(text, encoding, AnsiCodePage(), out, replaceInvalid);
}

}  // namespace platform
