#pragma once
// Which Windows this is: the label that picks the download route, and WOW64.
#include <string>

namespace Utils {

// Pure: the label for the reported version numbers ("XP", "7", "10", ...).
std::wstring OsVersionLabel(unsigned major, unsigned minor, unsigned build, bool serverR2);

// name = "Windows"; label from the numbers ntdll reports.
void GetOsVersion(std::wstring& name, std::wstring& label);

// True on a 64-bit Windows.
bool IsWow64();

}  // namespace Utils
