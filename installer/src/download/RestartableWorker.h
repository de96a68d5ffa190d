#pragma once
// The worker thread of a downloader that its owner may restart from inside
// the worker's own callback (DL_CODE_RETRY). A restart requested on the worker
// itself cannot join it, so the new thread joins the old one before its body
// runs: the next run begins only after the previous run's last event returned,
// and no thread is left unjoined.
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "installer/src/utils/Thread.h"

namespace Download {

class RestartableWorker {
 public:
  RestartableWorker(std::wstring name, std::function<void()> body);
  // Waits for the current run (and the one it retired).
  ~RestartableWorker();
  RestartableWorker(const RestartableWorker&) = delete;
  RestartableWorker& operator=(const RestartableWorker&) = delete;

  // From another thread: waits for the current run to end, then starts a new
  // one. From the worker itself: the new run waits for this one. False when no
  // thread could be created.
  bool Start();

 private:
  void RunAfterRetired();

  std::wstring name_;
  std::function<void()> body_;
  std::mutex mutex_;
  std::unique_ptr<Utils::Thread> current_;
  std::unique_ptr<Utils::Thread> retired_;
};

}  // namespace Download
