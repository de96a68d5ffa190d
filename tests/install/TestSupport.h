#pragma once
// Shared fixtures of the install tests: a recorder for callback events, a
// scratch folder, scenario files for the fake child programs.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "installer/src/download/DownloadCallback.h"

namespace InstallTest {

struct Event {
  int code;
  double value;
  std::wstring text;
  bool operator==(const Event& other) const {
    return code == other.code && value == other.value && text == other.text;
  }
};
std::ostream& operator<<(std::ostream& out, const Event& event);

// Collects events from any thread; tests wait for the one that ends a run.
class EventRecorder {
 public:
  DownloadCallback Callback();
  void Add(int code, double value, const wchar_t* text);
  std::vector<Event> Events() const;
  std::vector<int> Codes() const;
  // Waits until an event with one of the codes has arrived; false on time-out.
  bool WaitFor(const std::vector<int>& codes, std::chrono::milliseconds timeout);

 private:
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Event> events_;
};

// A fresh folder under the temp folder, removed with its files afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Sets an environment variable for this process and its children, and
// clears it again afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::wstring name, const std::wstring& value);
  ~ScopedEnvironment();

 private:
  std::wstring name_;
};

// Windows paths of the fake programs built with the project.
std::wstring FakePackageExe();
std::wstring FakeUninstallerExe();

void WriteTextFile(const std::wstring& path, const std::string& utf8);
std::string ReadTextFile(const std::wstring& path);
bool FileExists(const std::wstring& path);

}  // namespace InstallTest
