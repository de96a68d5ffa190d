#pragma once
// The product's values under HKEY_CURRENT_USER\Software\KorvelSoft\Melodrix.
#include <string>

namespace Utils {

constexpr wchar_t kProductRegKey[] = L"Software\\KorvelSoft\\Melodrix";

// Stores REG_SZ without its terminating null (the size is 2 x characters).
bool WriteProductRegValue(const std::wstring& name, const std::wstring& text);

// False when the key or the value is missing.
bool ReadProductRegValue(const std::wstring& name, unsigned long& type, std::wstring& text);

}  // namespace Utils
