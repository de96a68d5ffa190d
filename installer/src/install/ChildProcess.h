#pragma once
// A hidden child process whose standard handles are the ends of three
// anonymous pipes; the parent reads the child's standard output. Shared by the
// big package's runner and the previous version's uninstaller.
#include <windows.h>

#include <cstddef>
#include <string>

#include "installer/src/utils/UniqueResource.h"

namespace Install {

class ChildProcess {
 public:
  // The launcher's command-line buffer; the text must leave room for the null.
  static constexpr size_t kCommandLineCapacity = 1024;
  // Most bytes one ReadOutput returns.
  static constexpr size_t kChunkSize = 1024;

  ChildProcess() = default;
  // Closes every handle still open; never terminates the child.
  ~ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Creates the pipes and the process; throws Utils::Exception (with the
  // system error) when the command line does not fit or a step fails.
  void Launch(const std::wstring& commandLine);

  // The exit code still reads STILL_ACTIVE.
  bool IsRunning() const;
  // Output is waiting in the pipe (written before the child ended, say).
  bool HasPendingOutput() const;
  // Still running, or it ended with output not read yet.
  bool HasMoreOutput() const { return IsRunning() || HasPendingOutput(); }
  // Blocking read of at most kChunkSize bytes, cut at the first zero byte.
  // False when the read failed and returned nothing (the child closed its end).
  bool ReadOutput(std::string& chunk);
  // Waits for the child to end, without a time limit.
  void WaitForExit() const;

 private:
  wchar_t commandLine_[kCommandLineCapacity] = {};
  Utils::UniqueHandle outputRead_, outputWrite_;
  Utils::UniqueHandle errorRead_, errorWrite_;
  Utils::UniqueHandle inputRead_, inputWrite_;
  Utils::UniqueHandle process_, thread_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
};

}  // namespace Install
