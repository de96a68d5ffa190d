#pragma once
// Value parsing shared by the concrete controls' attribute handlers.
#include <windows.h>

#include <cwchar>

namespace SkinUI {
namespace AttributeValues {

// Skin booleans are true only for the exact text "true".
inline bool IsTrue(const wchar_t* value) { return std::wcscmp(value, L"true") == 0; }
// The animation switches are false only for the exact text "false".
inline bool IsNotFalse(const wchar_t* value) { return std::wcscmp(value, L"false") != 0; }
inline int ToInt(const wchar_t* value) { return static_cast<int>(std::wcstol(value, nullptr, 10)); }
inline bool Contains(const wchar_t* value, const wchar_t* part) { return std::wcsstr(value, part) != nullptr; }

}  // namespace AttributeValues
}  // namespace SkinUI
