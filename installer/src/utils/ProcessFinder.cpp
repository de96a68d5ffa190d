#include "installer/src/utils/ProcessFinder.h"

#include <windows.h>
#include <tlhelp32.h>

#include "installer/src/utils/UniqueResource.h"

namespace Utils {

unsigned long FindProcessId(const std::wstring& exeName) {
  UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  // The first entry is the idle process; it is never a match.
  if (!::Process32FirstW(snapshot.get(), &entry)) return 0;
  while (::Process32NextW(snapshot.get(), &entry)) {
    if (exeName == entry.szExeFile) return entry.th32ProcessID;
  }
  return 0;
}

}  // namespace Utils
