// dltool: runs one downloader the way the install pipeline drives it and
// prints every event as "<code> <value> <text>" (text in UTF-8).
//
//   dltool [-type=N] <url> <target>
//   dltool <N> <url> <target>
//   -log=<file> also writes the diagnostic lines to <file> (UTF-8).
//
// Exit code 0 when the run ended with 1003, 1 on failure, 2 on bad usage.
#include <windows.h>
#include <shellapi.h>

#include <curl/curl.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "installer/src/download/DownloaderFactory.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Directory.h"
#include "installer/src/utils/Strings.h"
#include "installer/src/utils/UniqueResource.h"

namespace {

struct Options {
  int type = 1;
  std::wstring url;
  std::wstring target;
  std::wstring logFile;
};

bool IsNumber(const std::wstring& text) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  std::wcstol(text.c_str(), &end, 10);
  return end != nullptr && *end == L'\0';
}

bool ParseOptions(const std::vector<std::wstring>& args, Options& options) {
  std::vector<std::wstring> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    if (Utils::StartsWith(args[i], L"-type=")) {
      options.type = static_cast<int>(std::wcstol(args[i].c_str() + 6, nullptr, 10));
    } else if (Utils::StartsWith(args[i], L"-log=")) {
      options.logFile = args[i].substr(5);
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() == 3 && IsNumber(positional[0])) {
    options.type = static_cast<int>(std::wcstol(positional[0].c_str(), nullptr, 10));
    positional.erase(positional.begin());
  }
  if (positional.size() != 2) return false;
  options.url = positional[0];
  options.target = positional[1];
  return true;
}

std::vector<std::wstring> Arguments() {
  int count = 0;
  LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> args;
  if (list == nullptr) return args;
  for (int i = 0; i < count; ++i) args.emplace_back(list[i]);
  ::LocalFree(list);
  return args;
}

std::wstring ParentFolder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

int main() {
  Options options;
  if (!ParseOptions(Arguments(), options)) {
    std::fprintf(stderr, "usage: dltool [-type=N] <url> <target>\n");
    return 2;
  }
  if (!options.logFile.empty() && !Utils::SetDebugLogMirror(options.logFile)) {
    std::fprintf(stderr, "cannot open the log file\n");
    return 2;
  }
  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    std::fprintf(stderr, "curl_global_init failed\n");
    return 1;
  }

  Utils::UniqueHandle finished(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!finished) return 1;
  std::mutex printLock;
  int outcome = 0;
  std::unique_ptr<CDownloader> downloader;

  DownloadCallback callback = [&](int code, double value, const wchar_t* text) {
    {
      std::lock_guard<std::mutex> lock(printLock);
      std::printf("%d %g %s\n", code, value, Utils::WideToMultiByte(text ? text : L"", CP_UTF8).c_str());
      std::fflush(stdout);
    }
    switch (code) {
      case DL_CODE_START: {
        const std::wstring folder = ParentFolder(options.target);
        // A folder that cannot be made shows up as the downloader's own open failure.
        if (!folder.empty()) Utils::CreateDirectoryTree(folder);
        break;
      }
      case DL_CODE_RETRY:
        downloader->Start();
        break;
      case DL_CODE_FAIL:
        // Best effort, as the pipeline does: the target may not exist.
        ::DeleteFileW(options.target.c_str());
        outcome = code;
        ::SetEvent(finished.get());
        break;
      case DL_CODE_SUCCESS:
        outcome = code;
        ::SetEvent(finished.get());
        break;
      default:
        break;
    }
  };

  downloader = CreateDownloader(options.type, callback, options.url, options.target);
  downloader->Start();
  ::WaitForSingleObject(finished.get(), INFINITE);
  downloader.reset();
  curl_global_cleanup();
  Utils::CloseDebugLogMirror();
  return outcome == DL_CODE_SUCCESS ? 0 : 1;
}
