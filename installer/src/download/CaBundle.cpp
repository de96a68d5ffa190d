#include "installer/src/download/CaBundle.h"

#include <windows.h>

#include <vector>

std::string CaBundlePath() {
  const wchar_t* name = L"MELODRIX_CA_BUNDLE";
  DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return {};
  std::vector<wchar_t> value(needed);
  DWORD length = ::GetEnvironmentVariableW(name, value.data(), needed);
  if (length == 0 || length >= needed) return {};
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string utf8(static_cast<size_t>(bytes), '\0');
  if (::WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(length), &utf8[0], bytes, nullptr, nullptr) != bytes)
    return {};
  return utf8;
}
