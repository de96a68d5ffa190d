#include "installer/src/download/RestartableWorker.h"

#include "installer/src/utils/DebugLog.h"

namespace Download {

RestartableWorker::RestartableWorker(std::wstring name, std::function<void()> body)
    : name_(std::move(name)), body_(std::move(body)) {}

RestartableWorker::~RestartableWorker() {
  std::unique_ptr<Utils::Thread> current;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    current = std::move(current_);
  }
  // The current run joins the retired one itself; joining it here completes both.
  if (current) current->Join();
  std::lock_guard<std::mutex> lock(mutex_);
  if (retired_) retired_->Join();
}

bool RestartableWorker::Start() {
  std::unique_ptr<Utils::Thread> previous;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (current_ && current_->IsCurrentThread()) {
      retired_ = std::move(current_);
    } else {
      previous = std::move(current_);
    }
  }
  if (previous) previous->Join();

  auto thread = std::make_unique<Utils::Thread>(this, name_, [](void* self) {
    static_cast<RestartableWorker*>(self)->RunAfterRetired();
  });
  if (!thread->Created()) {
    DEBUG_LOG(L"cannot create worker thread: %lu", ::GetLastError());
    return false;
  }
  Utils::Thread* started = thread.get();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    current_ = std::move(thread);
  }
  return started->Start();
}

void RestartableWorker::RunAfterRetired() {
  std::unique_ptr<Utils::Thread> retired;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    retired = std::move(retired_);
  }
  if (retired) retired->Join();
  retired.reset();
  body_();
}

}  // namespace Download
