// pipetool: runs the install pipeline headless, the way the main window
// drives it, and prints every event as "<code> <value> <text>" (value with
// %g, text in UTF-8).
//
//   pipetool <url> <install dir> [--prev <previous uninstaller>]
//            [--dsc true|false] [--ssc true|false] [--adminact true|false]
//            [--authact true|false] [-downloadtype=N] [-instcmd=...] ...
//
// The flags default to true; the dash options go through the installer
// configuration. Exit code 0 when the run ended with 2003, 1 when it ended
// otherwise, 2 on bad usage.
#include <windows.h>
#include <shellapi.h>

#include <curl/curl.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "installer/src/app/InstallerConfig.h"
#include "installer/src/download/DownloadCallback.h"
#include "installer/src/install/DownloadInstaller.h"
#include "installer/src/install/InstallEvents.h"
#include "installer/src/utils/Strings.h"

namespace {

struct Options {
  std::wstring url;
  std::wstring installDirectory;
  std::wstring previousUninstaller;
  bool desktopShortcut = true;
  bool quickLaunch = true;
  bool consoleUserIsAdmin = true;
  bool runsAsAdmin = true;
  std::vector<std::wstring> configuration;  // program path + the dash options
};

std::vector<std::wstring> Arguments() {
  int count = 0;
  LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> args;
  if (list == nullptr) return args;
  for (int i = 0; i < count; ++i) args.emplace_back(list[i]);
  ::LocalFree(list);
  return args;
}

bool ParseFlag(const std::wstring& text, bool& out) {
  if (text == L"true") out = true;
  else if (text == L"false") out = false;
  else return false;
  return true;
}

bool ParseOptions(const std::vector<std::wstring>& args, Options& options) {
  if (args.empty()) return false;
  options.configuration.push_back(args[0]);
  std::vector<std::wstring> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (Utils::StartsWith(arg, L"--")) {
      if (i + 1 == args.size()) return false;
      const std::wstring& value = args[++i];
      bool ok = arg == L"--prev"       ? (options.previousUninstaller = value, true)
                : arg == L"--dsc"      ? ParseFlag(value, options.desktopShortcut)
                : arg == L"--ssc"      ? ParseFlag(value, options.quickLaunch)
                : arg == L"--adminact" ? ParseFlag(value, options.consoleUserIsAdmin)
                : arg == L"--authact"  ? ParseFlag(value, options.runsAsAdmin)
                                       : false;
      if (!ok) return false;
    } else if (Utils::StartsWith(arg, L"-")) {
      options.configuration.push_back(arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return false;
  options.url = positional[0];
  options.installDirectory = positional[1];
  return true;
}

bool EndsRun(int code) {
  return code == INSTALL_SUCCESS || code == IST_CODE_FAIL || code == DL_CODE_FAIL ||
         code == UNIST_CODE_FAIL || code == UNIST_CODE_ERROR;
}

// What the window callback does for a console: print, and note the end.
class EventPrinter {
 public:
  void OnEvent(int code, double value, const wchar_t* text) {
    std::string utf8 = Utils::WideToMultiByte(text ? text : L"", CP_UTF8);
    std::lock_guard<std::mutex> lock(mutex_);
    std::printf("%d %g %s\n", code, value, utf8.c_str());
    std::fflush(stdout);
    if (EndsRun(code) && endCode_ == 0) {
      endCode_ = code;
      ended_.notify_all();
    }
  }
  int WaitForEnd() {
    std::unique_lock<std::mutex> lock(mutex_);
    ended_.wait(lock, [this] { return endCode_ != 0; });
    return endCode_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable ended_;
  int endCode_ = 0;
};

}  // namespace

int wmain() {
  Options options;
  if (!ParseOptions(Arguments(), options)) {
    std::fprintf(stderr,
                 "usage: pipetool <url> <install dir> [--prev <uninstaller>] [--dsc true|false]"
                 " [--ssc true|false] [--adminact true|false] [--authact true|false]"
                 " [-downloadtype=N] [-instcmd=...]\n");
    return 2;
  }
  g_InstallerConfig.ApplyArguments(options.configuration);
  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    std::fprintf(stderr, "libcurl did not start\n");
    return 1;
  }
  int endCode = 0;
  {
    EventPrinter printer;
    CDownloadInstaller pipeline(
        [&printer](int code, double value, const wchar_t* text) { printer.OnEvent(code, value, text); },
        L"", L"", L"", true, true, true);
    pipeline.SetParams(options.url, options.previousUninstaller, options.installDirectory,
                       options.desktopShortcut, options.quickLaunch, options.consoleUserIsAdmin,
                       options.runsAsAdmin);
    pipeline.Start();
    endCode = printer.WaitForEnd();
  }  // the pipeline waits for its workers
  curl_global_cleanup();
  return endCode == INSTALL_SUCCESS ? 0 : 1;
}
