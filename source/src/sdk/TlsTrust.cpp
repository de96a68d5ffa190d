#include "source/src/sdk/TlsTrust.h"

#include <windows.h>

#include <vector>

namespace telemetry_core {

std::string CollectorCaBundlePath() {
  wchar_t probe[1];
  DWORD need = GetEnvironmentVariableW(L"MELODRIX_CA_BUNDLE", probe, 1);
  if (need <= 1) return {};  // unset or empty
  std::vector<wchar_t> buf(need);
  DWORD got = GetEnvironmentVariableW(L"MELODRIX_CA_BUNDLE", buf.data(), need);
  if (got == 0 || got >= need) return {};
  int len = WideCharToMultiByte(CP_UTF8, 0, buf.data(), static_cast<int>(got), nullptr, 0, nullptr, nullptr);
  if (len <= 0) return {};
  std::string out(static_cast<size_t>(len), '\0');
  WideCharToMultiByte(CP_UTF8, 0, buf.data(), static_cast<int>(got), &out[0], len, nullptr, nullptr);
  return out;
}

}  // namespace telemetry_core
