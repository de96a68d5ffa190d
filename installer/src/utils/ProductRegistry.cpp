#include "installer/src/utils/ProductRegistry.h"

#include <windows.h>

#include <vector>

#include "installer/src/utils/UniqueResource.h"

namespace Utils {

bool WriteProductRegValue(const std::wstring& name, const std::wstring& text) {
  UniqueRegKey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kProductRegKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.receive(), nullptr) != ERROR_SUCCESS)
    return false;
  DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  return ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.data()), bytes) == ERROR_SUCCESS;
}

bool ReadProductRegValue(const std::wstring& name, unsigned long& type, std::wstring& text) {
  UniqueRegKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kProductRegKey, 0, KEY_READ, key.receive()) !=
      ERROR_SUCCESS)
    return false;
  DWORD valueType = 0, bytes = 0;
  if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &valueType, nullptr, &bytes) !=
      ERROR_SUCCESS)
    return false;
  // Zero-filled with room for a terminator the stored value may lack.
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 2, L'\0');
  DWORD size = bytes;
  if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &valueType,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
    return false;
  type = valueType;
  text = buffer.data();
  return true;
}

}  // namespace Utils
