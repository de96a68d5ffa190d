#pragma once
// The command line that runs the big package silently.
#include <string>

namespace Install {

// The user's choices and the account facts handed to the big package.
struct PackageSwitches {
  bool desktopShortcut = true;     // -dsc
  bool quickLaunch = true;         // -ssc
  bool consoleUserIsAdmin = true;  // -adminact
  bool runsAsAdmin = false;        // -authorizationact
};

// quotedPackagePath already carries its double quotes. extraSwitches (the
// configured InstCmd) follow the flags verbatim; "/D=<dir>" is always last
// because its value runs to the end of the line.
std::wstring BuildPackageCommandLine(const std::wstring& quotedPackagePath,
                                     const PackageSwitches& switches,
                                     const std::wstring& extraSwitches,
                                     const std::wstring& installDirectory);

}  // namespace Install
