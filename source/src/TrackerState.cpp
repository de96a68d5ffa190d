#include "source/src/TrackerState.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <mutex>
#include <random>

#include "installer/src/utils/Directory.h"
#include "source/src/Utf8Text.h"

namespace korvel {
namespace telemetry {

namespace {

const wchar_t kBase[] = L"Base";

std::wstring W(const std::string& s) { return WideFromUtf8(s); }

std::string ReadIni(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buf[128] = {};
  GetPrivateProfileStringW(section, key, L"", buf, 128, file.c_str());
  return Utf8FromWide(buf);
}

// Private-profile writes fail only when the directory is missing; the next
// run then simply makes a fresh identity.
void WriteIni(const std::wstring& file, const wchar_t* section, const wchar_t* key, const std::string& value) {
  WritePrivateProfileStringW(section, key, W(value).c_str(), file.c_str());
}

bool FileExists(const std::wstring& path) {
  DWORD attr = GetFileAttributesW(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExeDirectory() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring p(path, n);
  size_t slash = p.rfind(L'\\');
  p = slash == std::wstring::npos ? std::wstring() : p.substr(0, slash);
  if (p.empty() || p.back() != L'\\') p += L'\\';
  return p;
}

std::string ConfiguredSettingsFile() {
  std::wstring setIni = ExeDirectory() + L"Set.ini";
  if (!FileExists(setIni)) return {};
  std::string path = ReadIni(setIni, L"Install", L"QXTelemetryIni");
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::wstring ShortBaseFolder(bool windows7OrLater) {
  wchar_t folder[MAX_PATH] = {};
  int csidl = windows7OrLater ? CSIDL_LOCAL_APPDATA : CSIDL_COMMON_DOCUMENTS;
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  wchar_t shortPath[MAX_PATH] = {};
  DWORD n = GetShortPathNameW(folder, shortPath, MAX_PATH);
  return (n == 0 || n >= MAX_PATH) ? std::wstring(folder) : std::wstring(shortPath, n);
}

void EnsureDirectory(const std::wstring& dir) {
  // An existing directory makes this fail; a missing one that cannot be made
  // only means no settings persist (reading finds no file).
  CreateDirectoryW(dir.c_str(), nullptr);
}

}  // namespace

std::string PseudoRandomDistinctId() {
  static std::mutex lock;
  static std::mt19937 engine;  // default seed 5489, kept for the whole process
  std::uniform_int_distribution<unsigned long> draw(0, 2147483646UL);
  unsigned long n[8];
  {
    std::lock_guard<std::mutex> guard(lock);
    for (int i = 7; i >= 0; --i) n[i] = draw(engine);
  }
  n[3] = (n[3] & 0xFFF) | 0x4000;
  n[4] = (n[4] % 0x3FFF) + 0x8000;
  char buf[128];
  std::snprintf(buf, sizeof buf, "%lx%lx-%lx-%lx-%lx-%lx%lx%lx", n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]);
  return buf;
}

std::string NewDistinctId() {
  GUID g;
  HRESULT hr = CoCreateGuid(&g);
  for (int retry = 0; FAILED(hr) && retry < 10; ++retry) hr = CoCreateGuid(&g);
  if (FAILED(hr)) return PseudoRandomDistinctId();
  char buf[64];
  std::snprintf(buf, sizeof buf, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned long>(g.Data1),
                g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                g.Data4[7]);
  return buf;
}

void TrackerState::ResolvePaths(const std::string& appName, bool windows7OrLater) {
  std::string configured = ConfiguredSettingsFile();
  if (configured.find('\\') == std::string::npos && configured.find('/') == std::string::npos) {
    std::wstring dir = ShortBaseFolder(windows7OrLater) + L"\\QXLocal\\";
    EnsureDirectory(dir);
    dir += W(appName) + L"\\";
    EnsureDirectory(dir);
    settingsDirectory = Utf8FromWide(dir);
    settingsFilePath = settingsDirectory + appName + "_" + "QXSConfigure.ini";
  } else {
    settingsFilePath = configured;
    settingsDirectory = configured.substr(0, configured.rfind('\\'));
    // Failure shows later as a missing settings file: a fresh identity each run.
    Utils::CreateDirectoryTree(W(settingsDirectory));
  }
  if (eventLogPath.empty()) eventLogPath = settingsDirectory + appName + "_" + "QXSLog.txt";
  // Unsent records wait in a file of their own inside the settings directory.
  std::string dir = settingsDirectory;
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  stagingPath = dir + appName + "_" + "QXSPending.txt";
}

void TrackerState::LoadIdentity() {
  UserId.clear();
  DistinctId.clear();
  PrimaryDistinctId.clear();
  isLogined = false;
  storedUrl.clear();
  std::wstring file = W(settingsFilePath);
  if (FileExists(file)) {
    DistinctId = ReadIni(file, kBase, L"DistinctId");
    PrimaryDistinctId = ReadIni(file, kBase, L"PrimaryDistinctId");
    if (PrimaryDistinctId.empty()) PrimaryDistinctId = DistinctId;
    UserId = ReadIni(file, kBase, L"UserId");
    UserVipLevel = static_cast<int>(GetPrivateProfileIntW(kBase, L"UserVipLevel", 0, file.c_str()));
    isLogined = ReadIni(file, kBase, L"isLogined") == "OK";
    storedUrl = ReadIni(file, kBase, L"URL");
  }
  if (DistinctId.empty()) {
    DistinctId = NewDistinctId();
    SaveIdentity();
  }
}

void TrackerState::ReconcileWithEndpoint(const std::string& serverUrl) {
  if (storedUrl != serverUrl || DistinctId.empty()) {
    UserId.clear();
    isLogined = false;
    if (PrimaryDistinctId.empty()) {
      DistinctId = NewDistinctId();
      PrimaryDistinctId = DistinctId;
    } else {
      DistinctId = PrimaryDistinctId;
    }
    storedUrl = serverUrl;
    SaveIdentity();
  }
  if (UserId.empty()) isLogined = false;
}

void TrackerState::SaveIdentity() const {
  std::wstring file = W(settingsFilePath);
  WriteIni(file, kBase, L"DistinctId", DistinctId);
  WriteIni(file, kBase, L"PrimaryDistinctId", PrimaryDistinctId);
  WriteIni(file, kBase, L"UserId", UserId);
  WriteIni(file, kBase, L"UserVipLevel", std::to_string(UserVipLevel));
  WriteIni(file, kBase, L"URL", storedUrl);
  WriteIni(file, kBase, L"isLogined", isLogined ? "OK" : "NG");
}

void TrackerState::WriteAppSettings(const std::string& appStore, const std::string& appName,
                                    const std::string& appVersion) const {
  std::wstring file = W(settingsFilePath);
  WriteIni(file, L"UninstallInfo", L"AppStore", appStore);
  WriteIni(file, L"UninstallInfo", L"AppName", appName);
  WriteIni(file, L"UninstallInfo", L"AppVersion", appVersion);
}

}  // namespace telemetry
}  // namespace korvel
