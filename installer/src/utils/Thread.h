#pragma once
// A named worker thread, created suspended and started explicitly. The
// owner joins it; destroying a running Thread blocks until it ends.
#include <functional>
#include <string>

#include "installer/src/utils/UniqueResource.h"

namespace Utils {

class Thread {
 public:
  using Body = std::function<void(void*)>;

  // An empty name names the thread "t" + its id for debuggers.
  Thread(void* argument, std::wstring name, Body body);
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Resumes the thread; false when there is no thread or resuming failed.
  bool Start();
  // Waits for the thread without a time limit. A second join does nothing.
  void Join();

  unsigned Id() const { return id_; }
  bool Created() const { return static_cast<bool>(handle_); }
  bool IsCurrentThread() const;
  // The name announced to debuggers.
  const std::wstring& DebuggerName() const { return debuggerName_; }

 private:
  static unsigned __stdcall CallBack(void* self);
  void AnnounceName();

  unsigned id_ = 0;
  UniqueHandle handle_;
  Body body_;
  void* argument_;
  std::wstring name_;
  std::wstring debuggerName_;
};

}  // namespace Utils
