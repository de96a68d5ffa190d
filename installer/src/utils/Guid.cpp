#include "installer/src/utils/Guid.h"

#include <windows.h>
#include <objbase.h>

#include <cwchar>

namespace Utils {

std::wstring NewGuidText() {
  GUID guid = {};
  if (FAILED(::CoCreateGuid(&guid))) return std::wstring();
  wchar_t text[50];
  std::swprintf(text, 50, L"%08lX%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

}  // namespace Utils
