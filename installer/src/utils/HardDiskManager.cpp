#include "installer/src/utils/HardDiskManager.h"

#include <windows.h>

#include "installer/src/utils/DebugLog.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(const std::wstring& directory) {
  ULARGE_INTEGER available, total, free;
  if (!::GetDiskFreeSpaceExW(directory.c_str(), &available, &total, &free)) {
    DEBUG_LOG_AS(L"Utils::HardDiskManager::CheckFreeSpace",
                 L"HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n",
                 static_cast<long>(::GetLastError()));
    return false;
  }
  freeBytesAvailable_ = available.QuadPart;
  totalBytes_ = total.QuadPart;
  totalFreeBytes_ = free.QuadPart;
  return true;
}

}  // namespace Utils
