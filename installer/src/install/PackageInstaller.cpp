#include "installer/src/install/PackageInstaller.h"

#include <windows.h>

#include "installer/src/app/InstallerConfig.h"
#include "installer/src/install/ChildProcess.h"
#include "installer/src/install/InstallEvents.h"
#include "installer/src/install/OutputLines.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Exception.h"

namespace Install {
namespace {
constexpr DWORD kReadPauseMs = 100;  // bounds the event rate to about ten chunks a second
}

PackageInstaller::PackageInstaller(DownloadCallback callback, std::wstring quotedPackagePath,
                                   std::wstring installDirectory)
    : callback_(std::move(callback)),
      packagePath_(std::move(quotedPackagePath)),
      installDirectory_(std::move(installDirectory)) {}

PackageInstaller::~PackageInstaller() { worker_.reset(); }

void PackageInstaller::Start() {
  // The worker of an earlier Start still reads the command line until it launches.
  worker_.reset();
  commandLine_ = BuildPackageCommandLine(packagePath_, switches_, g_InstallerConfig.InstCmd,
                                         installDirectory_);
  DEBUG_LOG(L"%s", commandLine_.c_str());
  worker_ = std::make_unique<Utils::Thread>(this, L"ABDEF", [this](void*) { Run(); });
  if (!worker_->Start()) {
    DEBUG_LOG(L"package worker did not start");
    worker_.reset();
    Send(IST_CODE_FAIL, kFailNotStarted, L"");
  }
}

void PackageInstaller::Send(int code, double value, const wchar_t* text) {
  if (callback_) callback_(code, value, text);
}

void PackageInstaller::Run() {
  Send(IST_CODE_START, 0, L"");
  Send(IST_CODE_PROGRESS, 0, L"");
  auto child = std::make_unique<ChildProcess>();
  try {
    child->Launch(commandLine_);
  } catch (const Utils::Exception& e) {
    DEBUG_LOG(L"package not started: %hs", e.what());
    Send(IST_CODE_FAIL, kFailNotStarted, L"");
    return;
  }

  const DownloadCallback send = [this](int code, double value, const wchar_t* text) {
    Send(code, value, text);
  };
  bool noVerdict = true;
  std::string chunk;
  // The lines a package writes just before it exits still count (a last
  // "State=Fail" must not turn into success), hence HasMoreOutput.
  while (child->HasMoreOutput()) {
    if (!child->ReadOutput(chunk)) break;
    if (parser_.Parse(DecodeChunk(chunk, parser_.CodePage()), send) != 0) {
      noVerdict = false;
      break;
    }
    ::Sleep(kReadPauseMs);
  }
  // After the verdict the rest of the output is only drained, so a package
  // that keeps writing cannot block on a full pipe while we wait for it.
  if (!noVerdict)
    while (child->ReadOutput(chunk)) {
    }
  child->WaitForExit();
  child.reset();
  if (noVerdict) Send(INSTALL_SUCCESS, 1, L"");
}

}  // namespace Install
