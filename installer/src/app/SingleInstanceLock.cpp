#include "installer/src/app/SingleInstanceLock.h"

#include <windows.h>

#include "installer/src/utils/DebugLog.h"

SingleInstanceLock::SingleInstanceLock(std::wstring instanceName) : instanceName_(std::move(instanceName)) {}

SingleInstanceLock::~SingleInstanceLock() { Release(); }

std::wstring SingleInstanceLock::MutexName() const { return L"D1A547DB89C0BC61_" + instanceName_; }

bool SingleInstanceLock::Acquire() {
  Utils::UniqueHandle mutex(::CreateMutexW(nullptr, TRUE, MutexName().c_str()));
  const DWORD error = ::GetLastError();
  if (!mutex) {
    DEBUG_LOG(L"CreateMutexW(%s) failed, error %lu", MutexName().c_str(), error);
    return false;
  }
  if (error == ERROR_ALREADY_EXISTS) {
    DEBUG_LOG(L"another installer holds %s", MutexName().c_str());
    return false;
  }
  mutex_ = std::move(mutex);
  return true;
}

void SingleInstanceLock::Release() {
  if (!mutex_) return;
  ::ReleaseMutex(mutex_.get());  // closing the handle below frees it even if this fails
  mutex_.reset();
}
