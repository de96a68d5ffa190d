#include "installer/src/install/InstallRecord.h"

#include <windows.h>
#include <shlwapi.h>

#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/ProductRegistry.h"
#include "installer/src/utils/Strings.h"

namespace Install {
namespace {

constexpr wchar_t kUninstallerFile[] = L"\\uninst.ep";

bool FileExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ReadValue(const wchar_t* name) {
  unsigned long type = 0;
  std::wstring text;
  if (!Utils::ReadProductRegValue(name, type, text)) return std::wstring();
  return text;
}

// [Uninstall] IsOverride of set.ini in the directory is "false" exactly.
bool KeepsInstalledVersion(const std::wstring& directory) {
  wchar_t value[20] = {};
  std::wstring ini = directory + L"\\set.ini";
  ::GetPrivateProfileStringW(L"Uninstall", L"IsOverride", L"true", value, 20, ini.c_str());
  return std::wstring(value) == L"false";
}

}  // namespace

PreviousInstallation ReadInstallRecord() {
  PreviousInstallation previous;
  previous.directory = ReadValue(L"InstallPath");
  previous.uninstaller = ReadValue(L"UnInstallEp");
  if (previous.uninstaller.empty() && !previous.directory.empty())
    previous.uninstaller = previous.directory + kUninstallerFile;
  previous.recorded = !previous.directory.empty();
  DEBUG_LOG(L"InstallPath=%s UnInstallEp=%s", previous.directory.c_str(),
            previous.uninstaller.c_str());
  return previous;
}

void WriteInstallRecord(const std::wstring& reportedPath, const std::wstring& reportedRecord) {
  // Paths reported by the package keep the carriage return of its CR LF line
  // ends; stored as they are, the next run would find no earlier version.
  const std::wstring installPath = Utils::Trim(reportedPath);
  const std::wstring uninstallerRecord = Utils::Trim(reportedRecord);
  if (!Utils::WriteProductRegValue(L"InstallPath", installPath)) {
    DEBUG_LOG(L"InstallPath not written");
    return;
  }
  std::wstring uninstaller =
      uninstallerRecord.empty() ? installPath + kUninstallerFile : uninstallerRecord;
  if (!FileExists(uninstaller)) {
    DEBUG_LOG(L"no uninstaller at %s", uninstaller.c_str());
    return;
  }
  if (!Utils::WriteProductRegValue(L"UnInstallEp", uninstaller))
    DEBUG_LOG(L"UnInstallEp not written");
}

// "C:\\A\\" -> "C:\\A"; a root keeps its backslash.
static std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

bool IsSameDirectory(const std::wstring& from, const std::wstring& to) {
  if (from.empty() || to.empty() || from.size() >= MAX_PATH || to.size() >= MAX_PATH) return false;
  // A trailing backslash would count as one more (empty) folder level.
  const std::wstring a = WithoutTrailingBackslash(from), b = WithoutTrailingBackslash(to);
  wchar_t relative[MAX_PATH] = {};
  if (!::PathRelativePathToW(relative, a.c_str(), FILE_ATTRIBUTE_DIRECTORY, b.c_str(),
                             FILE_ATTRIBUTE_DIRECTORY))
    return false;
  return std::wstring(relative) == L".";
}

std::wstring PreviousUninstallerFor(const PreviousInstallation& previous,
                                    const std::wstring& chosen) {
  if (IsSameDirectory(previous.directory, chosen) && KeepsInstalledVersion(chosen)) {
    DEBUG_LOG(L"IsOverride=false in %s: the installed version stays", chosen.c_str());
    return std::wstring();
  }
  return previous.uninstaller;
}

}  // namespace Install
