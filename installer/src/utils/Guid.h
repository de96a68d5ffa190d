#pragma once
#include <string>

namespace Utils {

// A fresh GUID as 32 hex characters without separators; upper case except
// the third group of four.
std::wstring NewGuidText();

}  // namespace Utils
