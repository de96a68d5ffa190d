#pragma once
// The engine behind the main window: removes the previous version when there
// is one, downloads the big package and runs it silently, chaining the phases
// through their completion events. Every event of every phase first goes,
// unchanged, to the window callback.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "installer/src/download/Downloader.h"
#include "installer/src/install/PackageInstaller.h"
#include "installer/src/install/UnInstaller.h"

class CDownloadInstaller {
 public:
  // Makes the downloader for a DownloadType; the real choice by default, a
  // stand-in in tests.
  using DownloaderFactory = std::function<std::unique_ptr<CDownloader>(
      int downloadType, DownloadCallback callback, std::wstring url, std::wstring targetPath)>;

  CDownloadInstaller(DownloadCallback windowCallback, std::wstring downloadUrl,
                     std::wstring previousUninstaller, std::wstring installDirectory,
                     bool desktopShortcut, bool quickLaunch, bool consoleUserIsAdmin,
                     DownloaderFactory factory = nullptr);
  // Stops chaining phases, then deletes the uninstaller, the downloader and
  // the package installer (each waits for its worker), then the callback. Each
  // goes before the phase its worker may start, so no worker is left starting
  // a deleted phase.
  ~CDownloadInstaller();
  CDownloadInstaller(const CDownloadInstaller&) = delete;
  CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;

  void SetParams(std::wstring downloadUrl, std::wstring previousUninstaller,
                 std::wstring installDirectory, bool desktopShortcut, bool quickLaunch,
                 bool consoleUserIsAdmin, bool runsAsAdmin);

  // Runs on the window thread and returns; the phases run on worker threads.
  void Start();

  // install directory + "\__Package_" + AppName + ".exe"
  static std::wstring PackagePathFor(const std::wstring& installDirectory);
  // The private temp folder + "\" + AppName + "_un_asa.exe"; empty without that folder.
  static std::wstring TemporaryUninstallerPath();

  const std::wstring& PackagePath() const { return packagePath_; }

 private:
  void OnDownloadEvent(int code, double value, const wchar_t* text);
  void OnUninstallEvent(int code, double value, const wchar_t* text);
  void OnInstallEvent(int code, double value, const wchar_t* text);
  void Forward(int code, double value, const wchar_t* text);
  void StartUninstaller();
  void DeletePackageFile();

  DownloaderFactory factory_;
  std::atomic<bool> stopping_{false};  // set by the destructor: start no further phase
  std::unique_ptr<Install::UnInstaller> uninstaller_;
  std::unique_ptr<CDownloader> downloader_;
  std::unique_ptr<Install::PackageInstaller> packageInstaller_;
  std::wstring downloadUrl_;
  std::wstring previousUninstaller_;
  std::wstring installDirectory_;
  std::wstring packagePath_;
  Install::PackageSwitches switches_;
  std::unique_ptr<DownloadCallback> windowCallback_;
};
