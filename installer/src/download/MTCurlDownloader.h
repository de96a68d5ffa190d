#pragma once
// The two-range downloader: resolves the final URL and the length once, fetches
// up to two byte ranges in parallel into the part files T_0 and T_1 (each range
// on its own thread with its own attempt budget), joins them into T and checks
// the MD5. Part files of a failed run that made progress are resumed by the
// single whole-run retry.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <curl/curl.h>

#include "installer/src/download/CurlHandle.h"
#include "installer/src/download/Downloader.h"
#include "installer/src/download/RestartableWorker.h"
#include "installer/src/utils/UniqueResource.h"

// One byte range of the package and its part file.
struct DownloadPartNode {
  Utils::UniqueCFile stream;        // the part file, opened for appending
  int64_t start = 0;                // offset of the next byte to fetch
  int64_t end = 0;                  // offset of the range's last byte (inclusive)
  Download::UniqueCurl handle;      // reused by every attempt of the range
  std::string url;                  // the final download URL
  std::string partPath;             // ANSI path of the part file
  int status = -1;                  // 0 complete, -1 to do, -2 part file not opened, else last curl result
  std::atomic<int64_t> downloaded{0};  // bytes of this range in the part file
};

class CMTCurlDownloader : public CDownloader {
 public:
  // Deletes T, T_0 and T_1; transfers nothing.
  CMTCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath);
  ~CMTCurlDownloader() override;

  void Start() override;

  static void Start_Down(void* downloader);
  bool getRealDownloadUrl(const std::string& url);
  static void downloadThreadFun(CMTCurlDownloader* downloader, DownloadPartNode* node);
  static int downloadExe(CMTCurlDownloader* downloader, DownloadPartNode* node);
  static void waitForFinishThreadFun(CMTCurlDownloader* downloader);

  static size_t WriteRange(char* data, size_t size, size_t count, void* node);
  static int ProgressCallback(void* downloader, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

 private:
  void Run();
  void Send(int code, double value, const wchar_t* text);
  void DeletePartFiles() const;
  void DestroyNodes();
  bool JoinParts();
  void FailOrRetry(double value);

  std::vector<std::unique_ptr<DownloadPartNode>> parts_;
  std::vector<std::thread> rangeThreads_;
  DownloadCallback callback_;
  std::wstring path_;
  std::wstring url_;
  std::string ansiPath_;
  std::string realUrl_;
  int64_t length_ = -1;
  std::string md5_;
  std::mutex lock_;  // guards lastPct_ between the range threads' progress calls
  double lastPct_ = 0.0;
  std::atomic<int> activeThreads_{0};
  std::atomic<int64_t> lastProgressTime_{0};
  bool retried_ = false;
  Download::RestartableWorker worker_;
};
