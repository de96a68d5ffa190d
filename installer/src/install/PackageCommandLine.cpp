#include "installer/src/install/PackageCommandLine.h"

namespace Install {
namespace {
const wchar_t* Flag(bool on) { return on ? L"true" : L"false"; }
}  // namespace

std::wstring BuildPackageCommandLine(const std::wstring& quotedPackagePath,
                                     const PackageSwitches& switches,
                                     const std::wstring& extraSwitches,
                                     const std::wstring& installDirectory) {
  std::wstring line = quotedPackagePath;
  line += L" /S -console=show -version=1.0.0";
  line += L" -adminact=";
  line += Flag(switches.consoleUserIsAdmin);
  line += L" -authorizationact=";
  line += Flag(switches.runsAsAdmin);
  line += L" -dsc=";
  line += Flag(switches.desktopShortcut);
  line += L" -ssc=";
  line += Flag(switches.quickLaunch);
  if (!extraSwitches.empty()) line += L" " + extraSwitches;
  if (!installDirectory.empty()) {
    line += L" -instdir=\"" + installDirectory + L"\"";
    line += L" /D=" + installDirectory;
  }
  return line;
}

}  // namespace Install
