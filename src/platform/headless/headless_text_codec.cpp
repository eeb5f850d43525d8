#include "headless_world.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/text_codec.h"

// The code page is the test's choice (SetAnsiCodePage).
namespace platform {

bool DecodeText(std::string_view bytes, TextEncoding encoding, std::wstring& out, bool replaceInvalid) {
  return posix::DecodeText(bytes, encoding, headless::detail::TheWorld().ansiCodePage, out, replaceInvalid);
}

bool EncodeText(std::wstring_view text, TextEncoding encoding, std::string& out, bool replaceInvalid) {
  return posix::EncodeText(text, encoding, headless::detail::TheWorld().ansiCodePage, out, replaceInvalid);
}

}  // namespace platform
