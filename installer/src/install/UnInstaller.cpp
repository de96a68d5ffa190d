#include "installer/src/install/UnInstaller.h"

#include <windows.h>

#include "installer/src/install/ChildProcess.h"
#include "installer/src/install/InstallEvents.h"
#include "installer/src/install/OutputLines.h"
#include "installer/src/utils/Accounts.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Exception.h"

namespace Install {
namespace {

bool FileExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ConsoleUserIsAdmin() {
  std::wstring user;
  return Utils::GetConsoleUserName(user) && Utils::IsAdminAccount(user);
}

}  // namespace

std::wstring BuildUninstallCommandLine(const std::wstring& executable, bool consoleUserIsAdmin,
                                       bool runsAsAdmin, const std::wstring& previousDirectory) {
  return executable + L" /S -adminact=" + (consoleUserIsAdmin ? L"true" : L"false") +
         L" -authorizationact=" + (runsAsAdmin ? L"true" : L"false") + L" -console=show _?=" +
         previousDirectory;
}

UnInstaller::UnInstaller(DownloadCallback callback, std::wstring executable,
                         std::wstring previousDirectory)
    : callback_(std::move(callback)),
      executable_(std::move(executable)),
      previousDirectory_(std::move(previousDirectory)) {}

UnInstaller::~UnInstaller() { worker_.reset(); }

void UnInstaller::Start() {
  // The worker of an earlier Start still reads the command line until it launches.
  worker_.reset();
  commandLine_ = BuildUninstallCommandLine(executable_, ConsoleUserIsAdmin(), Utils::IsRunAsAdmin(),
                                           previousDirectory_);
  DEBUG_LOG(L"%s", commandLine_.c_str());
  worker_ = std::make_unique<Utils::Thread>(this, L"UnInstaller", [this](void*) { Run(); });
  if (!worker_->Start()) {
    DEBUG_LOG(L"uninstall worker did not start");
    worker_.reset();
    Send(UNIST_CODE_FAIL, kFailNotStarted, L"");
  }
}

void UnInstaller::Send(int code, double value, const wchar_t* text) {
  if (callback_) callback_(code, value, text);
}

void UnInstaller::Run() {
  if (!FileExists(executable_)) {
    Send(UNIST_CODE_FAIL, kUninstallerMissing, L"可执行卸载文件不存在");
    return;
  }
  Send(UNIST_CODE_PROGRESS, 0, L"");
  auto child = std::make_unique<ChildProcess>();
  try {
    // A command line that does not fit the launcher throws here as well.
    child->Launch(commandLine_);
  } catch (const Utils::Exception& e) {
    DEBUG_LOG(L"uninstaller not started: %hs", e.what());
    Send(UNIST_CODE_FAIL, kFailNotStarted, L"");
    return;
  }

  const DownloadCallback send = [this](int code, double value, const wchar_t* text) {
    Send(code, value, text);
  };
  bool noVerdict = true;
  std::string chunk;
  // Reading goes on after the verdict: the progress lines that follow are
  // still passed on. A failed read means the child closed its output, and
  // every later read would fail too, so the loop ends there instead of spinning.
  // Output written just before the child ended is read too.
  while (child->HasMoreOutput() && child->ReadOutput(chunk)) {
    if (parser_.Parse(DecodeChunk(chunk, parser_.CodePage()), send) != 0) noVerdict = false;
  }
  child->WaitForExit();
  child.reset();
  if (noVerdict) Send(UNIST_CODE_SUCCESS, 1, L"");
}

}  // namespace Install
