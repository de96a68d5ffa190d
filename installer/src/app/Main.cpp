// The installer process: hardening, guards, libcurl, the main window, and
// shutdown in a fixed order (the lock outlives the window object).
#include <windows.h>
#include <shellapi.h>

#include <curl/curl.h>

#include "installer/src/app/AnalyticsSession.h"
#include "installer/src/app/CrashFilter.h"
#include "installer/src/app/EventReporters.h"
#include "installer/src/app/InstallerConfig.h"
#include "installer/src/app/LibraryHardening.h"
#include "installer/src/app/SingleInstanceLock.h"
#include "installer/src/app/StandInMainWindow.h"
#include "installer/src/utils/DebugLog.h"

namespace {

// "-log=<path>" mirrors the diagnostic lines to a file; support asks users for it.
void StartLogMirror() {
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!argv) return;  // no mirror is all that is lost
  for (int i = 1; i < count; ++i) {
    const std::wstring argument = argv[i];
    if (argument.rfind(L"-log=", 0) == 0) {
      if (!Utils::SetDebugLogMirror(argument.substr(5))) {
        DEBUG_LOG(L"cannot open log mirror %s", argument.substr(5).c_str());
      }
      break;
    }
  }
  ::LocalFree(argv);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  StartLogMirror();
  HardenLibrarySearch();
  InstallCrashFilter();

  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    g_InstallerConfig.IsCurlReady = false;
    ReportTask(L"libcurl初始化失败", 0.0f, L"", InstallerEventProperties());
  }

  int exitCode = 0;
  {
    SingleInstanceLock lock(L"Installer_Melodrix");
    if (!lock.Acquire()) {
      exitCode = -1;
    } else {
      // Created from the INI's choice: the command line comes after it and can
      // only switch the reporters (and the release below) off.
      if (g_InstallerConfig.IsEnableAppTelemetry) CreateProcessTracker(g_InstallerConfig);
      g_InstallerConfig.ApplyCommandLine();
      DEBUG_LOG(L"installer %s started, DownloadUrl=%s DownloadType=%d", g_InstallerConfig.AppVersion.c_str(),
                g_InstallerConfig.DownloadUrl.c_str(), g_InstallerConfig.DownloadType);
      RunStandInMainWindow(instance);
      if (g_InstallerConfig.IsEnableAppTelemetry) ReleaseProcessTracker();  // flushes queued records
      curl_global_cleanup();
    }
  }
  Utils::CloseDebugLogMirror();
  return exitCode;
}
