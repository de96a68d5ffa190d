#include "installer/src/install/SettingsFile.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <clocale>
#include <cwchar>

#include "installer/src/app/InstallerConfig.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Directory.h"
#include "installer/src/utils/Guid.h"

namespace Install {
namespace {

std::wstring RunningExecutableName() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  return ::PathFindFileNameW(path);
}

std::wstring ApplicationDataRoot() {
  wchar_t value[MAX_PATH] = {};
  DWORD n = ::GetEnvironmentVariableW(L"APPDATA", value, MAX_PATH);
  if (n > 0 && n < MAX_PATH) return value;
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, value)))
    return value;
  return std::wstring();
}

void WriteKey(const wchar_t* section, const wchar_t* key, const std::wstring& value,
              const std::wstring& file) {
  if (!::WritePrivateProfileStringW(section, key, value.c_str(), file.c_str()))
    DEBUG_LOG(L"%s not written to %s (error %lu)", key, file.c_str(),
              static_cast<unsigned long>(::GetLastError()));
}

}  // namespace

std::wstring AnalyticsSettingsFolder() {
  std::wstring root = ApplicationDataRoot();
  if (root.empty()) return std::wstring();
  return root + L"\\KorvelData\\" + g_InstallerConfig.AppName;
}

std::wstring FormatUpdateTime(const SYSTEMTIME& time) {
  wchar_t text[64];
  std::swprintf(text, 64, L"%d-%02d-%02d %02d:%02d:%02d", int{time.wYear}, int{time.wMonth},
                int{time.wDay}, int{time.wHour}, int{time.wMinute}, int{time.wSecond});
  return text;
}

void WriteSettingsFile(const std::wstring& installDirectory) {
  // The product reads these files with this locale; a system without it keeps its own.
  if (std::setlocale(LC_ALL, "en_GB.UTF-8") == nullptr) DEBUG_LOG(L"locale en_GB.UTF-8 unavailable");
  const std::wstring setIni = installDirectory + L"\\set.ini";
  WriteKey(L"Install", L"APPStore", RunningExecutableName(), setIni);
  WriteKey(L"Install", L"AppName", g_InstallerConfig.AppName, setIni);
  WriteKey(L"Install", L"DeviceID", Utils::NewGuidText(), setIni);

  const std::wstring folder = AnalyticsSettingsFolder();
  if (folder.empty() || !Utils::CreateDirectoryTree(folder)) {
    DEBUG_LOG(L"analytics settings folder %s not available", folder.c_str());
    return;
  }
  const std::wstring telemetryIni = folder + L"\\QXTelemetry.ini";
  WriteKey(L"Install", L"QXTelemetryIni", telemetryIni, setIni);
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  WriteKey(L"Init", L"UpdateTime", FormatUpdateTime(now), telemetryIni);
}

}  // namespace Install
