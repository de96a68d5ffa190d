#pragma once
// Administrator status of this process and of the console user.
#include <string>

namespace Utils {

// The calling thread's token is in the local Administrators group.
bool IsRunAsAdmin();

// The local account of that name has administrator privilege.
bool IsAdminAccount(const std::wstring& userName);

// The user of the session on the physical console; false (out unchanged)
// when it cannot be queried.
bool GetConsoleUserName(std::wstring& out);

}  // namespace Utils
