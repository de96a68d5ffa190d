#include "installer/src/install/DownloadInstaller.h"

#include <windows.h>

#include "installer/src/app/InstallerConfig.h"
#include "installer/src/download/DownloaderFactory.h"
#include "installer/src/install/InstallEvents.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Directory.h"
#include "installer/src/utils/TempDir.h"

namespace {

bool FileExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

constexpr int kDeleteAttempts = 50;
constexpr DWORD kDeletePauseMs = 100;

std::wstring DirectoryOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

CDownloadInstaller::CDownloadInstaller(DownloadCallback windowCallback, std::wstring downloadUrl,
                                       std::wstring previousUninstaller,
                                       std::wstring installDirectory, bool desktopShortcut,
                                       bool quickLaunch, bool consoleUserIsAdmin,
                                       DownloaderFactory factory)
    : factory_(factory ? std::move(factory) : DownloaderFactory(&CreateDownloader)),
      downloadUrl_(std::move(downloadUrl)),
      previousUninstaller_(std::move(previousUninstaller)),
      installDirectory_(std::move(installDirectory)),
      windowCallback_(std::make_unique<DownloadCallback>(std::move(windowCallback))) {
  switches_.desktopShortcut = desktopShortcut;
  switches_.quickLaunch = quickLaunch;
  switches_.consoleUserIsAdmin = consoleUserIsAdmin;
  switches_.runsAsAdmin = false;
}

CDownloadInstaller::~CDownloadInstaller() {
  stopping_ = true;
  uninstaller_.reset();  // its worker may start the downloader
  downloader_.reset();   // its workers may start the package installer
  packageInstaller_.reset();
  windowCallback_.reset();
}

void CDownloadInstaller::SetParams(std::wstring downloadUrl, std::wstring previousUninstaller,
                                   std::wstring installDirectory, bool desktopShortcut,
                                   bool quickLaunch, bool consoleUserIsAdmin, bool runsAsAdmin) {
  downloadUrl_ = std::move(downloadUrl);
  previousUninstaller_ = std::move(previousUninstaller);
  installDirectory_ = std::move(installDirectory);
  switches_ = Install::PackageSwitches{desktopShortcut, quickLaunch, consoleUserIsAdmin, runsAsAdmin};
}

std::wstring CDownloadInstaller::PackagePathFor(const std::wstring& installDirectory) {
  return installDirectory + L"\\__Package_" + g_InstallerConfig.AppName + L".exe";
}

std::wstring CDownloadInstaller::TemporaryUninstallerPath() {
  std::wstring folder = Utils::GetTempDir();
  if (folder.empty()) return std::wstring();
  if (folder.back() == L'\\') folder.pop_back();  // the folder comes with its backslash
  return folder + L"\\" + g_InstallerConfig.AppName + L"_un_asa.exe";
}

void CDownloadInstaller::Start() {
  packagePath_ = PackagePathFor(installDirectory_);
  DEBUG_LOG_AS_NOEOL(L"CDownloadInstaller::Start", L"DL_TYPE=%d\r\n", g_InstallerConfig.DownloadType);
  if (!downloader_) {
    downloader_ = factory_(
        g_InstallerConfig.DownloadType,
        [this](int code, double value, const wchar_t* text) { OnDownloadEvent(code, value, text); },
        downloadUrl_, packagePath_);
  }
  if (!packageInstaller_) {
    packageInstaller_ = std::make_unique<Install::PackageInstaller>(
        [this](int code, double value, const wchar_t* text) { OnInstallEvent(code, value, text); },
        L"\"" + packagePath_ + L"\"", installDirectory_);
  }
  packageInstaller_->SetInstallDirectory(installDirectory_);
  packageInstaller_->SetSwitches(switches_);

  if (FileExists(previousUninstaller_)) {
    StartUninstaller();
    return;
  }
  if (downloader_) downloader_->Start();
}

void CDownloadInstaller::StartUninstaller() {
  const std::wstring copy = TemporaryUninstallerPath();
  const std::wstring previousDirectory = DirectoryOf(previousUninstaller_);
  if (!copy.empty()) {
    // A stale copy from an earlier run must not be run in place of this one.
    ::DeleteFileW(copy.c_str());
    if (!::CopyFileW(previousUninstaller_.c_str(), copy.c_str(), FALSE))
      DEBUG_LOG(L"copy of %s to %s failed (error %lu)", previousUninstaller_.c_str(), copy.c_str(),
                static_cast<unsigned long>(::GetLastError()));
  }
  // A missing copy is reported by the uninstaller itself (UNIST_CODE_FAIL).
  uninstaller_ = std::make_unique<Install::UnInstaller>(
      [this](int code, double value, const wchar_t* text) { OnUninstallEvent(code, value, text); },
      copy, previousDirectory);
  uninstaller_->Start();
}

void CDownloadInstaller::Forward(int code, double value, const wchar_t* text) {
  if (windowCallback_ && *windowCallback_) (*windowCallback_)(code, value, text);
}

void CDownloadInstaller::DeletePackageFile() {
  // The verdict arrives while the package may still be running (its file is
  // then in use), so deleting is retried for a while. Best effort beyond
  // that: a package left behind is only disk space, so it is handed to the
  // system for removal at the next restart.
  for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
    if (::DeleteFileW(packagePath_.c_str())) return;
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    ::Sleep(kDeletePauseMs);
  }
  DEBUG_LOG(L"package %s still in use (error %lu)", packagePath_.c_str(),
            static_cast<unsigned long>(::GetLastError()));
  ::MoveFileExW(packagePath_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void CDownloadInstaller::OnDownloadEvent(int code, double value, const wchar_t* text) {
  Forward(code, value, text);
  switch (code) {
    case DL_CODE_START:
      if (!Utils::CreateDirectoryTree(installDirectory_))
        DEBUG_LOG(L"install directory %s not created", installDirectory_.c_str());
      DEBUG_LOG(L"DL_CODE_START");
      break;
    case DL_CODE_PROGRESS:
      DEBUG_LOG(L"DL_CODE_PROGRESS");
      break;
    case DL_CODE_SUCCESS:
      DEBUG_LOG(L"DOWNLOAD_SUCCESS");
      if (!stopping_) packageInstaller_->Start();
      DEBUG_LOG(L"DL_CODE_SUCCESS");
      break;
    case DL_CODE_FAIL:
      DeletePackageFile();
      DEBUG_LOG(L"DL_CODE_FAIL");
      break;
    case DL_CODE_RETRY:
      DEBUG_LOG(L"DL_CODE_RETRY");
      if (!stopping_) downloader_->Start();
      break;
    default:
      break;
  }
}

void CDownloadInstaller::OnUninstallEvent(int code, double value, const wchar_t* text) {
  Forward(code, value, text);
  switch (code) {
    case UNIST_CODE_PROGRESS:
      DEBUG_LOG(L"UNIST_CODE_PROGRESS");
      break;
    case UNIST_CODE_SUCCESS:
      DEBUG_LOG(L"UNIST_CODE_SUCCESS");
      if (!stopping_ && packageInstaller_ && downloader_) downloader_->Start();
      break;
    case UNIST_CODE_FAIL:
      DEBUG_LOG(L"UNIST_CODE_FAIL");
      break;
    case UNIST_CODE_ERROR:
      DEBUG_LOG(L"UNIST_CODE_ERROR");
      break;
    default:
      break;
  }
}

void CDownloadInstaller::OnInstallEvent(int code, double value, const wchar_t* text) {
  Forward(code, value, text);
  switch (code) {
    case IST_CODE_START:
      DEBUG_LOG(L"IST_CODE_START");
      break;
    case INSTALL_SUCCESS:
      DeletePackageFile();
      DEBUG_LOG(L"INSTALL_SUCCESS");
      break;
    case IST_CODE_FAIL:
      DeletePackageFile();
      DEBUG_LOG(L"IST_CODE_FAIL");
      break;
    default:
      break;
  }
}
