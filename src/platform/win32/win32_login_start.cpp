#include "win32_windows.h"

#include "platform/login_start.h"

// The user's Run key: one value for the program, its quoted path and
// arguments. A value is replaced in one step; there is no half-written one.
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"KITE-MARU";
constexpr DWORD kValueMaxBytes = 64 * 1024;

// The program of a command line: in quotes, or up to the first space.
std::wstring CommandProgram(const std::wstring& command) {
  const size_t start = command.find_first_not_of(L" \t");
  if (start == std::wstring::npos) return {};
  if (command[start] == L'"') {
    const size_t end = command.find(L'"', start + 1);
    return end == std::wstring::npos ? std::wstring() : command.substr(start + 1, end - start - 1);
  }
  return command.substr(start, command.find_first_of(L" \t", start) - start);
}

}  // namespace

namespace platform {

std::wstring LoginStartProgram() {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
      bytes > kValueMaxBytes) {
    return {};
  }
  std::wstring command(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, command.data(), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  command.resize(wcsnlen(command.c_str(), command.size()));
  return CommandProgram(command);
}

bool SetLoginStart(const std::wstring& program, std::wstring_view argument) {
  std::wstring command = L"\"" + program + L"\"";
  if (!argument.empty()) command.append(L" ").append(argument);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS set = RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                     static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return set == ERROR_SUCCESS;
}

bool RemoveLoginStart() {
  HKEY key = nullptr;
  const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LSTATUS deleted = RegDeleteValueW(key, kValueName);
  RegCloseKey(key);
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
