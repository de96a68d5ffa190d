#pragma once
// The tracker's own OS naming, 64-bit test and user agent (independent of
// the installer's probes).
#include <string>

namespace korvel {
namespace telemetry {

struct NtVersion {
  bool known = false;  // false when ntdll or RtlGetNtVersionNumbers is unavailable
  unsigned major = 0, minor = 0, build = 0;
};

// Pure naming from the version numbers.
std::string TrackerOsVersionText(const NtVersion& v, bool is64Bit, bool serverR2);
std::string TrackerUserAgentText(const std::string& osVersionText, bool is64Bit);

// Platform queries.
NtVersion QueryNtVersion();
bool IsWow64Analytics();
std::string TrackerOsName();  // always "Windows"
std::string TrackerOsVersion();
std::string TrackerUserAgent();

}  // namespace telemetry
}  // namespace korvel
