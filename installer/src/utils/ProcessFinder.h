#pragma once
#include <string>

namespace Utils {

// Id of the first running process whose executable file name equals
// exeName exactly (case-sensitive, no path); 0 when none does.
unsigned long FindProcessId(const std::wstring& exeName);

}  // namespace Utils
