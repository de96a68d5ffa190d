#include "source/src/TrackerOs.h"

#include <windows.h>

namespace korvel {
namespace telemetry {

std::string TrackerOsVersionText(const NtVersion& v, bool is64Bit, bool serverR2) {
  if (!v.known || v.major <= 4) return "XP-";
  if (v.major == 5) {
    if (v.minor == 0) return "2K";
    if (v.minor == 1) return "XP";
    if (v.minor == 2) return is64Bit ? "XP64" : (serverR2 ? "Server 2003 R2" : "Server 2003");
    return "XP+";
  }
  if (v.major == 6) {
    switch (v.minor) {
      case 0: return is64Bit ? "Vista64" : "Vista";
      case 1: return is64Bit ? "7" : "7-32";
      case 2: return is64Bit ? "8" : "8-32";
      case 3: return "8.1";
      default: return "8.1+";
    }
  }
  if (v.major == 10) {
    if (v.minor == 0) return v.build < 22000 ? "10" : "11";
    return "11+";
  }
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build);
}

std::string TrackerUserAgentText(const std::string& osVersionText, bool is64Bit) {
  return "Mozilla/5.0(" + TrackerOsName() + " " + osVersionText + "; Win" + (is64Bit ? "64;)" : "32;)");
}

NtVersion QueryNtVersion() {
  NtVersion v;
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");  // always mapped; not to be freed
  if (!ntdll) return v;
  using Fn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
  if (!fn) return v;
  DWORD major = 0, minor = 0, build = 0;
  fn(&major, &minor, &build);
  v.known = true;
  v.major = major;
  v.minor = minor;
  v.build = build & 0xFFFF;
  return v;
}

bool IsWow64Analytics() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel) {
    using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow = FALSE;
    if (fn && fn(GetCurrentProcess(), &wow)) return wow != FALSE;
  }
  SYSTEM_INFO si{};
  GetNativeSystemInfo(&si);
  return si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

std::string TrackerOsName() { return "Windows"; }

std::string TrackerOsVersion() {
  return TrackerOsVersionText(QueryNtVersion(), IsWow64Analytics(), GetSystemMetrics(SM_SERVERR2) != 0);
}

std::string TrackerUserAgent() { return TrackerUserAgentText(TrackerOsVersion(), IsWow64Analytics()); }

}  // namespace telemetry
}  // namespace korvel
