#pragma once
// The default downloader: one HTTP(S) connection through libcurl into the
// partial file T.part, resuming from whatever T.part holds, with its own
// attempt budget and a single whole-run retry when the MD5 check fails.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include <curl/curl.h>

#include "installer/src/download/Downloader.h"
#include "installer/src/download/RestartableWorker.h"

// Transfers the package for one CCurlDownloader: resolves the final URL and the
// length, then downloads with resume. One attempt per Start call.
class CurlClient {
 public:
  // (owner, speed in bytes per second, reserved (always 0.0), percent)
  using ProgressFunction = void (*)(void* owner, double speed, double reserved, double percent);

  CurlClient(std::wstring url, std::wstring path, void* owner, ProgressFunction progress);
  // Aborts a transfer in progress and deletes T.part.
  ~CurlClient();
  CurlClient(const CurlClient&) = delete;
  CurlClient& operator=(const CurlClient&) = delete;

  // One attempt: 0 on success, else a libcurl code, the OR of failed option
  // codes, -998 (length missing or below 1 MiB), -997 (no easy handle) or
  // -996 (T.part cannot be opened).
  int Start();

  // Probes (each logs its own failures).
  CURL* Head(const std::string& url);
  double GetDownloadFileLength(CURL* handle);
  std::string GetRealUrl_Str(const std::string& url);
  double GetDownloadFileLength_Str(const std::string& url);

  static int ProgressCallback(void* client, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal,
                              curl_off_t ulnow);

  const std::string& RealUrl() const { return realUrl_; }
  double FileLength() const { return fileLength_; }
  // Sets the abort flag: the transfer in progress ends at its next progress call.
  void Abort() { abort_ = true; }

 private:
  void ResolveUrlAndLength(const std::string& url);
  int Transfer(FILE* part);

  std::wstring url_;
  std::wstring path_;
  void* owner_;
  CURL* handle_ = nullptr;  // the transfer in progress; owned by Start
  ProgressFunction progress_;
  double fileLength_ = -1.0;
  int64_t resumeOffset_ = -1;
  int64_t lastProgressTime_ = 0;
  std::atomic<bool> abort_{false};
  std::string realUrl_;
};

class CCurlDownloader : public CDownloader {
 public:
  // Deletes T.part, a leftover of an earlier run; transfers nothing.
  CCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath);
  // Aborts a running transfer and waits for the worker.
  ~CCurlDownloader() override;

  // Starts (or, after DL_CODE_RETRY, restarts) the download on the worker thread "ABDEF".
  void Start() override;

  static void dlThreadFun(void* downloader);

 private:
  static void ForwardProgress(void* owner, double speed, double reserved, double percent);
  void Run();
  void Verify();
  void Send(int code, double value, const wchar_t* text);

  DownloadCallback callback_;
  std::wstring path_;
  std::wstring url_;
  CurlClient client_;
  Download::RestartableWorker worker_;
  bool retried_ = false;
};
