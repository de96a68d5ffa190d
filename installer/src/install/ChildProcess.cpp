#include "installer/src/install/ChildProcess.h"

#include <cwchar>

#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Exception.h"

namespace Install {
namespace {

[[noreturn]] void Fail(const wchar_t* step) {
  DWORD error = ::GetLastError();
  wchar_t message[128];
  std::swprintf(message, 128, L"%s failed (error %lu)", step, static_cast<unsigned long>(error));
  DEBUG_LOG(L"%s", message);
  throw Utils::Exception(message);
}

void CreateInheritablePipe(Utils::UniqueHandle& readEnd, Utils::UniqueHandle& writeEnd) {
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!::CreatePipe(&read, &write, &attributes, 0)) Fail(L"CreatePipe");
  readEnd.reset(read);
  writeEnd.reset(write);
}

void KeepInParent(const Utils::UniqueHandle& end) {
  if (!::SetHandleInformation(end.get(), HANDLE_FLAG_INHERIT, 0)) Fail(L"SetHandleInformation");
}

}  // namespace

void ChildProcess::Launch(const std::wstring& commandLine) {
  if (commandLine.size() >= kCommandLineCapacity) {
    DEBUG_LOG(L"command line of %u characters does not fit",
              static_cast<unsigned>(commandLine.size()));
    throw Utils::Exception(L"command line too long");
  }
  std::wmemcpy(commandLine_, commandLine.c_str(), commandLine.size() + 1);

  CreateInheritablePipe(errorRead_, errorWrite_);
  CreateInheritablePipe(outputRead_, outputWrite_);
  CreateInheritablePipe(inputRead_, inputWrite_);
  KeepInParent(outputRead_);
  KeepInParent(errorRead_);
  KeepInParent(inputWrite_);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = inputRead_.get();
  startup.hStdOutput = outputWrite_.get();
  startup.hStdError = errorWrite_.get();
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(nullptr, commandLine_, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info))
    Fail(L"CreateProcessW");
  process_.reset(info.hProcess);
  thread_.reset(info.hThread);
  processId_ = info.dwProcessId;
  threadId_ = info.dwThreadId;

  // Only the child may hold these now, so reading ends when the child ends.
  outputWrite_.reset();
  errorWrite_.reset();
  inputRead_.reset();
}

bool ChildProcess::IsRunning() const {
  DWORD code = 0;
  return process_ && ::GetExitCodeProcess(process_.get(), &code) && code == STILL_ACTIVE;
}

bool ChildProcess::HasPendingOutput() const {
  DWORD available = 0;
  return outputRead_ &&
         ::PeekNamedPipe(outputRead_.get(), nullptr, 0, nullptr, &available, nullptr) &&
         available > 0;
}

bool ChildProcess::ReadOutput(std::string& chunk) {
  char buffer[kChunkSize + 1] = {};
  DWORD read = 0;
  BOOL ok = ::ReadFile(outputRead_.get(), buffer, static_cast<DWORD>(kChunkSize), &read, nullptr);
  if (!ok && read == 0) return false;
  chunk.assign(buffer);  // zero-filled buffer: cut at the first zero byte
  return true;
}

void ChildProcess::WaitForExit() const {
  if (process_) ::WaitForSingleObject(process_.get(), INFINITE);
}

}  // namespace Install
