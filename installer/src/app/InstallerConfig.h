#pragma once
// The installer's deployment settings: built-in defaults, then the INI file
// beside the executable (read during static initialisation), then the
// command line (applied once by the entry point). Read-only afterwards.
#include <string>
#include <vector>

struct InstallerConfig {
  std::wstring AppName = L"Melodrix";
  std::wstring AppVersion = L"1.7.9";
  std::wstring ExeFileName = L"NULL";
  std::wstring DlAppNameSuffix = L".downloader";
  std::wstring m_DlAppVersion;
  std::wstring InstCmd;
  std::wstring DownloadUrl;
  int DownloadType = 1;
  bool IsCheckNet = false;
  bool IsEnableAppTelemetry = true;
  double DownloadScale = 0.7;
  bool IsCurlReady = true;

  // Defaults, with DownloadUrl derived from the built-in URL.
  InstallerConfig();

  // Reads section "Install" of the INI file at iniPath when it exists;
  // AppName and AppVersion are reset to their constants in every case.
  void LoadFromIni(const std::wstring& iniPath);
  // Applies the options of an argument vector (the program path included).
  void ApplyArguments(const std::vector<std::wstring>& arguments);
  // Splits the process command line and applies it.
  void ApplyCommandLine();
};

// The process-wide record, filled from the INI file before wWinMain runs.
extern InstallerConfig g_InstallerConfig;

// The built-in download URL (deployment host + "/software/238").
std::wstring BuiltInDownloadUrl();
// Replaces every "${ROUTE}" by the route for this system.
std::wstring DeriveDownloadUrl(const std::wstring& text);
// Pure route choice: "download_silent_xp" on XP, else "download_silent" (or
// "download_silent_64" for products that ship a 64-bit package on 64-bit systems).
std::wstring RouteName(const std::wstring& osVersionLabel, bool is64BitSystem, int productId);

// Parsers behind the options, exposed for tests.
// Decimal integer like wcstol base 10; not a number or outside 32 bits gives 0.
int ParseDownloadType(const std::wstring& text);
// Decimal floating point like wcstod. Not a number gives notNumber; a value that
// is not finite or lies outside [0, 1] gives the record default 0.7, since the
// progress arithmetic needs a share of the bar.
double ParseDownloadScale(const std::wstring& text, double notNumber);
