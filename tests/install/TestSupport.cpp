#include "tests/install/TestSupport.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ostream>

#include "installer/src/utils/Strings.h"

namespace InstallTest {
namespace {

// The build gives Unix paths; Wine sees the root file system as drive Z:.
std::wstring WindowsPathOf(const char* unixPath) {
  std::wstring path = Utils::MultiByteToWide(unixPath, CP_UTF8);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return L"Z:" + path;
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        ::DeleteFileW(child.c_str());
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path.c_str());
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Event& event) {
  return out << "{" << event.code << ", " << event.value << ", \""
             << Utils::WideToMultiByte(event.text, CP_UTF8) << "\"}";
}

DownloadCallback EventRecorder::Callback() {
  return [this](int code, double value, const wchar_t* text) { Add(code, value, text); };
}

void EventRecorder::Add(int code, double value, const wchar_t* text) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back({code, value, text ? text : L""});
  }
  arrived_.notify_all();
}

std::vector<Event> EventRecorder::Events() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return events_;
}

std::vector<int> EventRecorder::Codes() const {
  std::vector<int> codes;
  for (const Event& event : Events()) codes.push_back(event.code);
  return codes;
}

bool EventRecorder::WaitFor(const std::vector<int>& codes, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return arrived_.wait_for(lock, timeout, [&] {
    for (const Event& event : events_)
      if (std::find(codes.begin(), codes.end(), event.code) != codes.end()) return true;
    return false;
  });
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"mdx_install_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
          std::to_wstring(counter++);
  RemoveTree(path_);
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

ScopedEnvironment::ScopedEnvironment(std::wstring name, const std::wstring& value)
    : name_(std::move(name)) {
  ::SetEnvironmentVariableW(name_.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() { ::SetEnvironmentVariableW(name_.c_str(), nullptr); }

std::wstring FakePackageExe() { return WindowsPathOf(MELODRIX_FAKE_PACKAGE); }
std::wstring FakeUninstallerExe() { return WindowsPathOf(MELODRIX_FAKE_UNINSTALLER); }

void WriteTextFile(const std::wstring& path, const std::string& utf8) {
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (out == nullptr) return;
  std::fwrite(utf8.data(), 1, utf8.size(), out);
  std::fclose(out);
}

std::string ReadTextFile(const std::wstring& path) {
  FILE* in = _wfopen(path.c_str(), L"rb");
  if (in == nullptr) return std::string();
  std::string content;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) content.append(buffer, got);
  std::fclose(in);
  return content;
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace InstallTest
