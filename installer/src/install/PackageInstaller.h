#pragma once
// Runs the downloaded big package silently on a worker thread and turns its
// output lines into install events (IST_CODE_*, IST_INFO_*).
#include <memory>
#include <string>

#include "installer/src/download/DownloadCallback.h"
#include "installer/src/install/PackageCommandLine.h"
#include "installer/src/install/PackageOutputParser.h"
#include "installer/src/utils/Thread.h"

namespace Install {

class PackageInstaller {
 public:
  // quotedPackagePath carries its double quotes; installDirectory may be empty.
  PackageInstaller(DownloadCallback callback, std::wstring quotedPackagePath,
                   std::wstring installDirectory);
  // Waits for a running package to end.
  ~PackageInstaller();
  PackageInstaller(const PackageInstaller&) = delete;
  PackageInstaller& operator=(const PackageInstaller&) = delete;

  void SetInstallDirectory(const std::wstring& directory) { installDirectory_ = directory; }
  void SetSwitches(const PackageSwitches& switches) { switches_ = switches; }

  // Builds the command line, waits for the worker of an earlier Start, then
  // runs the package on a new worker. Returns at once.
  void Start();

  const std::wstring& CommandLine() const { return commandLine_; }

 private:
  void Run();
  void Send(int code, double value, const wchar_t* text);

  DownloadCallback callback_;
  std::wstring packagePath_;
  std::wstring installDirectory_;
  std::wstring commandLine_;
  PackageSwitches switches_;
  PackageOutputParser parser_;
  std::unique_ptr<Utils::Thread> worker_;
};

}  // namespace Install
