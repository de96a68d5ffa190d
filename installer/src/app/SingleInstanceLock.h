#pragma once
// Makes sure only one installer of this product runs at a time: a named
// mutex "D1A547DB89C0BC61_" + instance name, held for the life of the window.
#include <string>

#include "installer/src/utils/UniqueResource.h"

class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(std::wstring instanceName);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when this process now holds the lock; false when another process
  // holds it or the mutex cannot be created.
  bool Acquire();
  void Release();
  std::wstring MutexName() const;

 private:
  std::wstring instanceName_;
  Utils::UniqueHandle mutex_;
};
