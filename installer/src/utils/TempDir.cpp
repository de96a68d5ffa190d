#include "installer/src/utils/TempDir.h"

#include <windows.h>

#include <cwchar>

namespace Utils {

bool GetTempDir(wchar_t* out) {
  wchar_t base[MAX_PATH + 1] = {};
  DWORD n = ::GetTempPathW(MAX_PATH, base);
  if (n == 0 || n > MAX_PATH) return true;
  std::wstring path = std::wstring(base) + kPrivateTempName;
  if (path.size() >= MAX_PATH) return true;
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (!exists && !::CreateDirectoryW(path.c_str(), nullptr)) return true;
  std::wcsncpy(out, path.c_str(), MAX_PATH);
  out[MAX_PATH - 1] = L'\0';
  return false;
}

std::wstring GetTempDir() {
  wchar_t path[MAX_PATH] = {};
  if (GetTempDir(path)) return std::wstring();
  return path;
}

}  // namespace Utils
