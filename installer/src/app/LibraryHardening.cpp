#include "installer/src/app/LibraryHardening.h"

#include <windows.h>

#include <string>

const wchar_t* const kPreloadLibraries[9] = {
    L"\\version.dll", L"\\ws2_32.dll", L"\\sxs.dll",       L"\\dwmapi.dll",         L"\\msimg32.dll",
    L"\\d3d8.dll",    L"\\ieframe.dll", L"\\ws2help.dll", L"\\WindowsCodecs.dll",
};

void HardenLibrarySearch() {
  wchar_t systemDir[MAX_PATH] = {};
  ::GetSystemDirectoryW(systemDir, MAX_PATH);

  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll")) {
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    // Missing before Windows 7 with KB2533623; SetDllDirectoryW below still
    // removes the current directory from the search.
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryW(L"");
  for (const wchar_t* entry : kPreloadLibraries) {
    // A library missing on this Windows is simply not preloaded. The modules
    // stay loaded for the life of the process on purpose.
    ::LoadLibraryW((std::wstring(systemDir) + entry).c_str());
  }
}
