#pragma once
// Runs the previous version's uninstaller (a temporary copy of it) silently
// on a worker thread and turns its output lines into UNIST_CODE_* events.
#include <memory>
#include <string>

#include "installer/src/download/DownloadCallback.h"
#include "installer/src/install/UninstallOutputParser.h"
#include "installer/src/utils/Thread.h"

namespace Install {

// "<exe> /S -adminact=.. -authorizationact=.. -console=show _?=<previous dir>"
std::wstring BuildUninstallCommandLine(const std::wstring& executable, bool consoleUserIsAdmin,
                                       bool runsAsAdmin, const std::wstring& previousDirectory);

class UnInstaller {
 public:
  UnInstaller(DownloadCallback callback, std::wstring executable, std::wstring previousDirectory);
  // Waits for a running uninstaller to end.
  ~UnInstaller();
  UnInstaller(const UnInstaller&) = delete;
  UnInstaller& operator=(const UnInstaller&) = delete;

  // Builds the command line and starts the worker "UnInstaller". Returns at once.
  void Start();

  const std::wstring& CommandLine() const { return commandLine_; }

 private:
  void Run();
  void Send(int code, double value, const wchar_t* text);

  DownloadCallback callback_;
  std::wstring executable_;
  std::wstring previousDirectory_;
  std::wstring commandLine_;
  UninstallOutputParser parser_;
  std::unique_ptr<Utils::Thread> worker_;
};

}  // namespace Install
