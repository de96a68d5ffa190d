#pragma once
#include <windows.h>

namespace Utils {

// Seconds since Start, from the system tick count; 0 while not running.
class Stopwatch {
 public:
  void Start() {
    start_ = ::GetTickCount();
    running_ = true;
  }
  void Stop() { running_ = false; }
  bool Running() const { return running_; }
  float Elapsed() const {
    return running_ ? static_cast<float>(::GetTickCount() - start_) / 1000.0f : 0.0f;
  }

 private:
  DWORD start_ = 0;
  bool running_ = false;
};

}  // namespace Utils
