#include "installer/src/download/CurlDownloader.h"

#include <windows.h>

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "installer/src/app/EventReporters.h"
#include "installer/src/download/CurlHandle.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/FileHash.h"
#include "installer/src/utils/Strings.h"
#include "installer/src/utils/UniqueResource.h"

using Download::UniqueCurl;

namespace {

constexpr double kMinimumLength = 1048576.0;  // the package is never smaller than 1 MiB
constexpr int kAttemptBudget = 12;

std::wstring PartPath(const std::wstring& path) { return path + L".part"; }

// Reports why the length probe failed; the download may still go on.
void ReportLengthStatus(long status) {
  wchar_t text[200];
  std::swprintf(text, 200, L"1.获取文件大小的状态码为=%ld；", status);
  ReportTask(L"下载失败原因", 0, text, InstallerEventProperties());
}

// Size of a file in bytes (64-bit, so resuming above 2 GiB works); -1 when it cannot be read.
int64_t FileSize(const std::string& ansiPath) {
  struct _stati64 status;
  if (_stati64(ansiPath.c_str(), &status) != 0) return -1;
  return status.st_size;
}

}  // namespace

CurlClient::CurlClient(std::wstring url, std::wstring path, void* owner, ProgressFunction progress)
    : url_(std::move(url)), path_(std::move(path)), owner_(owner), progress_(progress) {}

CurlClient::~CurlClient() {
  abort_ = true;
  // Best effort: a missing partial file is what we want anyway.
  if (!path_.empty()) ::DeleteFileW(PartPath(path_).c_str());
}

CURL* CurlClient::Head(const std::string& url) {
  CURL* handle = curl_easy_init();
  if (handle == nullptr) return nullptr;
  int options = curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  options |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Download::DiscardBody);
  options |= curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
  options |= Download::ApplyCaBundle(handle);
  CURLcode result = static_cast<CURLcode>(options);
  if (options == 0) {
    result = curl_easy_perform(handle);
    if (result != CURLE_OK)
      DEBUG_LOG(L"error:%d:%s", static_cast<int>(result), Download::CurlErrorText(result).c_str());
  }
  DEBUG_LOG(L"error:%d:%s", static_cast<int>(result), Download::CurlErrorText(result).c_str());
  return handle;
}

double CurlClient::GetDownloadFileLength(CURL* handle) {
  curl_off_t length = -1;
  CURLcode lengthResult = curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  DEBUG_LOG(L"error:%d:%s", static_cast<int>(lengthResult), Download::CurlErrorText(lengthResult).c_str());
  long status = 0;
  CURLcode statusResult = curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  if (statusResult != CURLE_OK) status = 0;
  if (lengthResult == CURLE_OK && statusResult == CURLE_OK && status >= 200 && status <= 399)
    return static_cast<double>(length);
  ReportLengthStatus(status);
  return -1.0;
}

std::string CurlClient::GetRealUrl_Str(const std::string& url) {
  UniqueCurl handle(curl_easy_init());
  if (!handle) return url;
  int options = curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str());
  options |= curl_easy_setopt(handle.get(), CURLOPT_FOLLOWLOCATION, 1L);
  options |= curl_easy_setopt(handle.get(), CURLOPT_NOBODY, 1L);
  options |= curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, &Download::DiscardBody);
  options |= curl_easy_setopt(handle.get(), CURLOPT_CONNECTTIMEOUT, 60L);
  options |= Download::ApplyCaBundle(handle.get());
  if (options != 0) return url;
  CURLcode result = curl_easy_perform(handle.get());
  if (result != CURLE_OK) {
    DEBUG_LOG(L"error:%d:%s", static_cast<int>(result), Download::CurlErrorText(result).c_str());
    return url;
  }
  std::string effective = Download::EffectiveUrl(handle.get());
  return effective.empty() ? url : effective;
}

double CurlClient::GetDownloadFileLength_Str(const std::string& url) {
  UniqueCurl handle(curl_easy_init());
  if (!handle) return -1.0;
  int options = curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str());
  options |= curl_easy_setopt(handle.get(), CURLOPT_HEADER, 1L);
  options |= curl_easy_setopt(handle.get(), CURLOPT_NOBODY, 1L);
  options |= curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, &Download::DiscardBody);
  options |= curl_easy_setopt(handle.get(), CURLOPT_CONNECTTIMEOUT, 60L);
  options |= Download::ApplyCaBundle(handle.get());
  if (options != 0) return -1.0;
  // The transfer's own result does not matter: whatever headers arrived are read below.
  curl_easy_perform(handle.get());
  curl_off_t length = -1;
  if (curl_easy_getinfo(handle.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) length = -1;
  long status = 0;
  CURLcode statusResult = curl_easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status);
  if (statusResult != CURLE_OK || status < 200 || status > 400) ReportLengthStatus(statusResult == CURLE_OK ? status : 0);
  DEBUG_LOG(L"error:%d:%s", static_cast<int>(statusResult), Download::CurlErrorText(statusResult).c_str());
  return static_cast<double>(length);
}

void CurlClient::ResolveUrlAndLength(const std::string& url) {
  if (realUrl_.empty() || fileLength_ < kMinimumLength) {
    CURL* probe = Head(url);
    if (probe != nullptr) {
      UniqueCurl owned(probe);
      realUrl_ = Download::EffectiveUrl(probe);
      fileLength_ = GetDownloadFileLength(probe);
    }
  }
  if (realUrl_.empty() || fileLength_ < kMinimumLength) {
    realUrl_ = GetRealUrl_Str(url);
    if (!realUrl_.empty()) fileLength_ = GetDownloadFileLength_Str(realUrl_);
  }
}

int CurlClient::Start() {
  DEBUG_LOG(L"start download");
  const std::string partPath = Utils::WideToMultiByte(PartPath(path_), CP_ACP);
  const std::string url = Download::NarrowUrl(url_);

  ResolveUrlAndLength(url);
  int result = -998;
  if (fileLength_ >= kMinimumLength) {
    UniqueCurl handle(curl_easy_init());
    if (!handle) {
      result = -997;
    } else {
      Utils::UniqueCFile part(std::fopen(partPath.c_str(), "ab+"));
      if (!part) {
        result = -996;
      } else {
        handle_ = handle.get();
        resumeOffset_ = FileSize(partPath);
        result = Transfer(part.get());
        handle_ = nullptr;
      }
    }
    DEBUG_LOG(L"error:%d:%s", result, Download::CurlErrorText(static_cast<CURLcode>(result)).c_str());
  }
  if (result == 0) {
    // Best effort: if the rename fails, the MD5 check of T reports the damage.
    ::DeleteFileW(path_.c_str());
    ::MoveFileW(PartPath(path_).c_str(), path_.c_str());
  }
  DEBUG_LOG(L"end download");
  return result;
}

int CurlClient::Transfer(FILE* part) {
  CURL* handle = handle_;
  // Released after the attempt; libcurl only borrows it.
  Download::UniqueCurlSlist headers =
      Download::MakeHeaderList({"Connection: keep-alive", "Accept-Encoding: gzip, deflate"});
  int options = headers ? 0 : static_cast<int>(CURLE_OUT_OF_MEMORY);
  options |= curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  options |= curl_easy_setopt(handle, CURLOPT_TCP_KEEPALIVE, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_TCP_KEEPIDLE, 10L);
  options |= curl_easy_setopt(handle, CURLOPT_TCP_KEEPINTVL, 10L);
  options |= curl_easy_setopt(handle, CURLOPT_TIMEOUT, 0L);
  options |= curl_easy_setopt(handle, CURLOPT_URL, realUrl_.c_str());
  options |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &std::fwrite);
  options |= curl_easy_setopt(handle, CURLOPT_WRITEDATA, part);
  options |= curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  options |= curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &CurlClient::ProgressCallback);
  options |= curl_easy_setopt(handle, CURLOPT_XFERINFODATA, this);
  options |= curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
  options |= curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, Download::kReceiveBufferSize);
  options |= Download::ApplyCaBundle(handle);
  if (static_cast<double>(resumeOffset_) > 1e-10)
    options |= curl_easy_setopt(handle, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(resumeOffset_));
  if (options != 0) return options;
  return static_cast<int>(curl_easy_perform(handle));
}

int CurlClient::ProgressCallback(void* clientPointer, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
  auto* client = static_cast<CurlClient*>(clientPointer);
  if (client->abort_) return 1;
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  if (now <= client->lastProgressTime_) return 0;
  client->lastProgressTime_ = now;

  curl_off_t speed = 0;
  if (client->handle_ == nullptr ||
      curl_easy_getinfo(client->handle_, CURLINFO_SPEED_DOWNLOAD_T, &speed) != CURLE_OK)
    speed = 0;

  double percent = 0.0;
  if (client->fileLength_ > kMinimumLength) {
    percent = (static_cast<double>(client->resumeOffset_) + static_cast<double>(dlnow)) / client->fileLength_ * 100.0;
  } else {
    if (dlnow <= 0 || dltotal <= 0) return 0;
    percent = static_cast<double>(dlnow) * 100.0 / static_cast<double>(dltotal);
  }
  if (percent == 0.0) return 0;
  client->progress_(client->owner_, static_cast<double>(speed), 0.0, percent);
  if (dltotal != 0)
    DEBUG_LOG(L" %dM %dM   progress:%f%%  speed:%f \n", static_cast<int>(dlnow / 1048576),
              static_cast<int>(dltotal / 1048576), static_cast<double>(static_cast<float>(percent)),
              static_cast<double>(static_cast<float>(static_cast<double>(speed) / 1024.0)));
  return 0;
}

CCurlDownloader::CCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath)
    : callback_(std::move(callback)),
      path_(std::move(targetPath)),
      url_(std::move(url)),
      client_(url_, path_, this, &CCurlDownloader::ForwardProgress),
      worker_(L"ABDEF", [this] { dlThreadFun(this); }) {
  // Best effort: a leftover partial file may simply not exist.
  if (!path_.empty()) ::DeleteFileW(PartPath(path_).c_str());
}

CCurlDownloader::~CCurlDownloader() {
  client_.Abort();
  // worker_ is declared after client_, so it is joined before the client goes away.
}

void CCurlDownloader::Start() {
  if (!worker_.Start()) Send(DL_CODE_FAIL, 0.0, L"");  // without a worker nothing else would ever settle the run
}

void CCurlDownloader::dlThreadFun(void* downloader) { static_cast<CCurlDownloader*>(downloader)->Run(); }

void CCurlDownloader::Send(int code, double value, const wchar_t* text) {
  if (callback_) callback_(code, value, text);
}

void CCurlDownloader::ForwardProgress(void* owner, double speed, double, double percent) {
  if (speed > 0.0 && percent <= 100.0) static_cast<CCurlDownloader*>(owner)->Send(DL_CODE_PROGRESS, percent / 100.0, L"");
}

void CCurlDownloader::Run() {
  Send(DL_CODE_START, 1.0, L"");
  if (path_.empty()) {
    Send(DL_CODE_FAIL, 1.0, L"");
    return;
  }
  int budget = kAttemptBudget;
  int code = client_.Start();
  while (code != 0) {
    budget -= (code == CURLE_PARTIAL_FILE) ? 1 : 2;
    if (budget <= 0) {
      Send(DL_CODE_FAIL, static_cast<double>(code), L"LibCurl");
      return;
    }
    DEBUG_LOG_AS(L"CCurlDownloader::dlThreadFun", L"CurlDownLoader Code=%d", code);
    ::Sleep(500);
    code = client_.Start();
  }
  Verify();
}

void CCurlDownloader::Verify() {
  const std::string expected = Utils::GetUrlMd5(client_.RealUrl());
  if (expected.size() != 32) {
    Send(DL_CODE_INFO, 0.0, L"curl获取url-md5失败");
  } else {
    const std::string actual = Utils::GetFileMd5(Utils::WideToMultiByte(path_, CP_ACP));
    if (actual.size() == 32 && actual != expected) {
      Send(DL_CODE_INFO, 0.0, L"curl文件md5校验失败");
      if (!retried_) {
        retried_ = true;
        Send(DL_CODE_RETRY, 0.0, L"LibCurl");
      } else {
        Send(DL_CODE_FAIL, 0.0, L"LibCurl");
      }
      return;
    }
  }
  Send(DL_CODE_SUCCESS, 0.0, L"LibCurl");
}
