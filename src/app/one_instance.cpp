#include "app/one_instance.h"

#include <cstdint>
#include <cwctype>
#include <filesystem>

#include "app/exe_path.h"
#include "app/ini_encoding.h"
#include "platform/system.h"

namespace {

constexpr int kHandOverAttempts = 20;
constexpr uint32_t kHandOverPauseMs = 100;

std::wstring NormalisedPath(const std::wstring& path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::weakly_canonical(ToFsPath(path), error);
  if (error) full = std::filesystem::absolute(ToFsPath(path), error).lexically_normal();
  std::wstring text = FromFsPath(full);
#ifdef _WIN32
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
#endif
  return text;
}

// FNV-1a: short, stable across builds and platforms.
uint64_t PathHash(const std::string& bytes) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : bytes) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

}  // namespace

std::wstring InstanceName(const std::wstring& settingsPath) {
  const uint64_t hash = PathHash(WideToUtf8(NormalisedPath(settingsPath)));
  std::wstring name = L"kitemaru-";
  for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 0xf];
  return name;
}

StartRole ClaimOrHandOver(platform::InstanceLock& lock) {
  for (int attempt = 0; attempt < kHandOverAttempts; ++attempt) {
    if (lock.TryClaim()) return StartRole::Run;
    if (lock.AskHolderToShow()) return StartRole::HandedOver;
    platform::Sleep(kHandOverPauseMs);
  }
  return StartRole::HandedOver;
}
