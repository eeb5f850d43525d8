// kitemaru-skincheck [skin folder | "skin" folder]: tells skin authors
// whether kitemaru would list, load and show each skin, and if not, why.
#include <cstdio>
#include <string>
#include <vector>

#include "app/ini_encoding.h"
#include "skincheck/skincheck_run.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

void Write(std::FILE* stream, const std::wstring& text) {
#ifdef _WIN32
  std::fputws(text.c_str(), stream);
#else
  const std::string utf8 = WideToUtf8(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
#endif
}

int Run(const std::vector<std::wstring>& arguments) {
  std::wstring out;
  std::wstring err;
  const int code = RunSkinCheckCommand(arguments, out, err);
  Write(stdout, out);
  Write(stderr, err);
  return code;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  // NOTE: skin names are often Japanese; the console gets them as Unicode.
  _setmode(_fileno(stdout), _O_U8TEXT);
  _setmode(_fileno(stderr), _O_U8TEXT);
  return Run(std::vector<std::wstring>(argv + 1, argv + argc));
}
#else
int main(int argc, char** argv) {
  std::vector<std::wstring> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(Utf8ToWide(argv[i]));
  return Run(arguments);
}
#endif
