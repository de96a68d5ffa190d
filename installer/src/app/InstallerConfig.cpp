#include "installer/src/app/InstallerConfig.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>

#include "installer/src/app/BuildSettings.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/OsVersion.h"
#include "installer/src/utils/Strings.h"

namespace {

constexpr wchar_t kIniName[] = L"\\KorvelInstallerConfig.ini";
constexpr wchar_t kSection[] = L"Install";
constexpr int kProductId = 484;
constexpr int kProductsWith64BitPackage[] = {267, 385, 257, 335, 318};
constexpr double kDefaultDownloadScale = 0.7;

std::wstring ReadIniText(const std::wstring& path, const wchar_t* key, const wchar_t* fallback) {
  wchar_t buffer[MAX_PATH] = {};
  ::GetPrivateProfileStringW(kSection, key, fallback, buffer, MAX_PATH, path.c_str());
  return buffer;
}

InstallerConfig LoadProcessConfig() {
  InstallerConfig config;
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  wchar_t name[MAX_PATH];
  ::lstrcpynW(name, path, MAX_PATH);
  ::PathStripPathW(name);
  config.ExeFileName = name;
  ::PathRemoveFileSpecW(path);
  config.LoadFromIni(std::wstring(path) + kIniName);
  return config;
}

}  // namespace

InstallerConfig g_InstallerConfig = LoadProcessConfig();

std::wstring BuiltInDownloadUrl() { return std::wstring(MELODRIX_DOWNLOAD_HOST_W) + L"/software/238"; }

std::wstring RouteName(const std::wstring& osVersionLabel, bool is64BitSystem, int productId) {
  if (osVersionLabel.find(L"XP") != std::wstring::npos) return L"download_silent_xp";
  for (int id : kProductsWith64BitPackage) {
    if (id == productId) return is64BitSystem ? L"download_silent_64" : L"download_silent";
  }
  return L"download_silent";
}

std::wstring DeriveDownloadUrl(const std::wstring& text) {
  static const std::wstring kPlaceholder = L"${ROUTE}";
  if (text.find(kPlaceholder) == std::wstring::npos) return text;
  std::wstring osName, osLabel;
  Utils::GetOsVersion(osName, osLabel);
  return Utils::ReplaceAll(text, kPlaceholder, RouteName(osLabel, Utils::IsWow64(), kProductId));
}

int ParseDownloadType(const std::wstring& text) {
  errno = 0;
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (end == text.c_str() || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return 0;
  return static_cast<int>(value);
}

double ParseDownloadScale(const std::wstring& text, double notNumber) {
  errno = 0;
  wchar_t* end = nullptr;
  const double value = std::wcstod(text.c_str(), &end);
  if (end == text.c_str()) return notNumber;
  if (errno == ERANGE || !std::isfinite(value) || value < 0.0 || value > 1.0) {
    return kDefaultDownloadScale;
  }
  return value;
}

InstallerConfig::InstallerConfig() : DownloadUrl(DeriveDownloadUrl(BuiltInDownloadUrl())) {}

void InstallerConfig::LoadFromIni(const std::wstring& iniPath) {
  if (::PathFileExistsW(iniPath.c_str())) {
    DownloadUrl = DeriveDownloadUrl(ReadIniText(iniPath, L"DownloadUrl", BuiltInDownloadUrl().c_str()));
    DownloadType = static_cast<int>(::GetPrivateProfileIntW(kSection, L"DownloadType", 1, iniPath.c_str()));
    IsCheckNet = ReadIniText(iniPath, L"IsCheckNet", L"true") == L"true";
    IsEnableAppTelemetry = ReadIniText(iniPath, L"IsEnableAppTelemetry", L"true") == L"true";
    DlAppNameSuffix = ReadIniText(iniPath, L"DlAppNameSuffix", L".downloader");
    m_DlAppVersion = ReadIniText(iniPath, L"m_DlAppVersion", L"");
    DownloadScale = ParseDownloadScale(ReadIniText(iniPath, L"DownloadScale", L"0.7"), 0.0);
    InstCmd = ReadIniText(iniPath, L"InstCmd", L"");
  }
  AppName = L"Melodrix";
  AppVersion = L"1.7.9";
}

void InstallerConfig::ApplyArguments(const std::vector<std::wstring>& arguments) {
  std::map<std::wstring, std::wstring> options;
  for (const std::wstring& argument : arguments) {
    const size_t equals = argument.find(L'=');
    if (!argument.empty() && argument[0] == L'-' && equals != std::wstring::npos) {
      options.emplace(argument.substr(0, equals), argument.substr(equals + 1));
    } else {
      options.emplace(argument, std::wstring());
    }
  }
  auto option = [&](const wchar_t* name) -> const std::wstring* {
    auto it = options.find(name);
    return it == options.end() ? nullptr : &it->second;
  };
  if (auto v = option(L"-downloadurl")) DownloadUrl = DeriveDownloadUrl(*v);
  if (auto v = option(L"-downloadtype")) DownloadType = ParseDownloadType(*v);
  // The progress bar cannot use a share that is not a number: fall back to the default.
  if (auto v = option(L"-downloadscale")) DownloadScale = ParseDownloadScale(*v, kDefaultDownloadScale);
  if (auto v = option(L"-ischecknet")) IsCheckNet = *v == L"true";
  if (auto v = option(L"-isenableapptelemetry")) IsEnableAppTelemetry = *v == L"true";
  if (auto v = option(L"-dlappnamesuffix")) DlAppNameSuffix = *v;
  if (auto v = option(L"-dlappversion")) m_DlAppVersion = *v;
  if (auto v = option(L"-instcmd")) InstCmd = *v;
}

void InstallerConfig::ApplyCommandLine() {
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (argv == nullptr) {
    DEBUG_LOG(L"CommandLineToArgvW failed, error %lu", ::GetLastError());
    return;
  }
  std::vector<std::wstring> arguments(argv, argv + count);
  ::LocalFree(argv);
  ApplyArguments(arguments);
}
