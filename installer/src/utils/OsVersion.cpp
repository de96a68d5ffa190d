#include "installer/src/utils/OsVersion.h"

#include <windows.h>

namespace Utils {

std::wstring OsVersionLabel(unsigned major, unsigned minor, unsigned build, bool serverR2) {
  switch (major) {
    case 0: case 1: case 2: case 3: case 4:
      return L"XP-";
    case 5:
      if (minor == 0) return L"2K";
      if (minor == 1) return L"XP";
      if (minor == 2) return serverR2 ? L"Server 2003 R2" : L"Server 2003";
      return L"XP+";
    case 6:
      if (minor == 0) return L"Vista";
      if (minor == 1) return L"7";
      if (minor == 2) return L"8";
      if (minor == 3) return L"8.1";
      return L"8.1+";
    case 10:
      return minor == 0 ? L"10" : L"10+";
    default:
      return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." +
             std::to_wstring(build);
  }
}

void GetOsVersion(std::wstring& name, std::wstring& label) {
  name = L"Windows";
  // ntdll is mapped into every process; this only looks it up.
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr) {
    label = L"XP-";
    return;
  }
  using GetNumbers = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  auto getNumbers = reinterpret_cast<GetNumbers>(
      reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
  DWORD major = 0, minor = 0, build = 0;
  if (getNumbers != nullptr) getNumbers(&major, &minor, &build);
  label = OsVersionLabel(major, minor, build & 0xFFFF, ::GetSystemMetrics(SM_SERVERR2) != 0);
}

bool IsWow64() {
#if defined(_WIN64)
  // A 64-bit build only runs on 64-bit Windows.
  return true;
#else
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
  auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  if (isWow64Process == nullptr) return false;
  BOOL wow64 = FALSE;
  if (isWow64Process(::GetCurrentProcess(), &wow64)) return wow64 != FALSE;
  SYSTEM_INFO info = {};
  ::GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
#endif
}

}  // namespace Utils
