// Feeds arbitrary bytes to the settings file's reader as config.ini, sets a
// few values chosen by the input, and checks the round trip: what a save
// writes loads back to exactly the values set, and saving that again writes
// the same bytes.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "app/ini_file.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

const wchar_t* const kSections[] = {L"General", L"Window0", L"window0", L"New"};
const wchar_t* const kKeys[] = {L"FPS", L"SkinName", L"Position"};
const wchar_t* const kValues[] = {
    L"60", L"", L"  padded ", L"\"quoted\"", L"\u307E\u308B", L"\u00E9t\u00E9", L"\U0001F431",
    L"a=b;c", L"[Window1]", L"\uFEFF", L"\uFF5E\u2225", L"\u301C", L"x\ry",
};

IniFile Reload(const std::string& bytes) {
  const auto form = DetectTextForm(bytes);
  Check(form.has_value());
  return IniFile{IniDocument(DecodeTextFile(bytes, *form)), *form};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kChoices = 6;
  if (size < kChoices) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + kChoices, size - kChoices);
  const auto form = DetectTextForm(bytes);
  if (!form) return 0;
  IniFile file{IniDocument(DecodeTextFile(bytes, *form)), *form};

  std::map<std::pair<std::wstring, std::wstring>, std::wstring> set;
  for (size_t i = 0; i < kChoices; i += 2) {
    const std::wstring section = kSections[data[i] % std::size(kSections)];
    const std::wstring key = kKeys[(data[i] >> 4) % std::size(kKeys)];
    const std::wstring value = kValues[data[i + 1] % std::size(kValues)];
    if (file.document.Set(section, key, value)) set[{section, key}] = value;
  }
  const std::string saved = IniFileBytes(file);
  IniFile reloaded = Reload(saved);
  for (const auto& [where, value] : set) {
    // Section names match without regard to case: the last of two spellings wins.
    const auto found = reloaded.document.Find(where.first, where.second);
    Check(found.has_value());
    Check(found == file.document.Find(where.first, where.second));
  }
  Check(reloaded.document.Text() == file.document.Text());
  Check(IniFileBytes(reloaded) == saved);
  return 0;
}
