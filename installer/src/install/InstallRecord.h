#pragma once
// Where an earlier installation of the product lives, as recorded in
// HKEY_CURRENT_USER\Software\KorvelSoft\Melodrix ("InstallPath", "UnInstallEp").
#include <string>

namespace Install {

struct PreviousInstallation {
  std::wstring directory;    // "InstallPath"
  std::wstring uninstaller;  // "UnInstallEp", or directory + "\uninst.ep"
  bool recorded = false;     // directory is not empty
};

PreviousInstallation ReadInstallRecord();

// After a successful install into installPath: "InstallPath" = installPath;
// "UnInstallEp" = uninstallerRecord (installPath + "\uninst.ep" when empty),
// only when that file exists. Both paths are trimmed of white space (the
// package's reported values end in a carriage return). Failures are ignored: the product is installed
// either way, and the next run then simply finds no earlier version.
void WriteInstallRecord(const std::wstring& installPath, const std::wstring& uninstallerRecord);

// The uninstaller to hand to the pipeline for installing into `chosen`:
// empty when `chosen` is the previous directory and its set.ini holds
// [Uninstall] IsOverride=false; otherwise the previous uninstaller unchanged.
std::wstring PreviousUninstallerFor(const PreviousInstallation& previous,
                                    const std::wstring& chosen);

// The two paths name the same directory (their relative path is ".").
bool IsSameDirectory(const std::wstring& from, const std::wstring& to);

}  // namespace Install
