#pragma once
// The installer's private temporary folder: %TEMP%\~KorvelTemp.92482B06FB471E17\ .
#include <string>

namespace Utils {

constexpr wchar_t kPrivateTempName[] = L"~KorvelTemp.92482B06FB471E17\\";

// Returns true when the folder neither exists nor can be created (out is
// then unchanged); otherwise copies its path, with the trailing backslash,
// into out (capacity MAX_PATH) and returns false.
bool GetTempDir(wchar_t* out);

// The path, or empty when it is not available.
std::wstring GetTempDir();

}  // namespace Utils
