#include "installer/src/download/MTCurlDownloader.h"

#include <windows.h>

#include <sys/stat.h>

#include <climits>
#include <ctime>
#include <system_error>

#include "installer/src/app/InstallerConfig.h"
#include "installer/src/download/RangePlan.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/FileHash.h"
#include "installer/src/utils/Strings.h"

namespace {

constexpr int64_t kMinimumLength = 256;
// Offsets of a part are signed 32-bit on the wire format the server expects
// ("%ld-%ld"); anything longer is refused rather than wrapped.
constexpr int64_t kMaximumLength = INT32_MAX;
constexpr int kAttemptBudget = 12;

int64_t ExistingSize(const std::string& path) {
  struct _stati64 status;
  if (_stati64(path.c_str(), &status) != 0) return 0;
  return status.st_size < 0 ? 0 : status.st_size;
}

void DeleteAnsiFile(const std::string& path) {
  // Best effort: the file may not exist.
  ::DeleteFileA(path.c_str());
}

}  // namespace

CMTCurlDownloader::CMTCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath)
    : callback_(std::move(callback)),
      path_(std::move(targetPath)),
      url_(std::move(url)),
      ansiPath_(Utils::WideToMultiByte(path_, CP_ACP)),
      worker_(L"ABDEF", [this] { Start_Down(this); }) {
  if (ansiPath_.empty()) return;
  DeleteAnsiFile(ansiPath_);
  DeletePartFiles();
}

CMTCurlDownloader::~CMTCurlDownloader() = default;

void CMTCurlDownloader::Start() {
  if (!worker_.Start()) Send(DL_CODE_FAIL, 0.0, L"");  // without a worker nothing else would ever settle the run
}

void CMTCurlDownloader::Send(int code, double value, const wchar_t* text) {
  if (callback_) callback_(code, value, text);
}

void CMTCurlDownloader::DeletePartFiles() const {
  for (size_t i = 0; i < 2; ++i) DeleteAnsiFile(Download::PartFilePath(ansiPath_, i));
}

void CMTCurlDownloader::Start_Down(void* downloader) { static_cast<CMTCurlDownloader*>(downloader)->Run(); }

void CMTCurlDownloader::Run() {
  Send(DL_CODE_START, 1.0, L"");
  DEBUG_LOG_AS(L"CMTCurlDownloader::Start_Down", L"start download");
  if (ansiPath_.empty()) {
    Send(DL_CODE_FAIL, 1.0, L"");
    return;
  }
  const std::string url = Download::NarrowUrl(url_);
  DeleteAnsiFile(ansiPath_);
  if (lastPct_ == 0.0) DeletePartFiles();

  if (realUrl_.empty() || length_ < kMinimumLength) {
    if (!getRealDownloadUrl(url)) {
      Send(DL_CODE_FAIL, 0.0, L"LibCurl");
      return;
    }
  }

  const std::vector<Download::ByteRange> ranges = Download::PlanRanges(length_);
  for (size_t i = 0; i < ranges.size(); ++i) {
    auto node = std::make_unique<DownloadPartNode>();
    node->partPath = Download::PartFilePath(ansiPath_, i);
    const int64_t existing = ExistingSize(node->partPath);
    node->downloaded = existing;
    node->start = ranges[i].first + existing;
    node->end = ranges[i].last;
    node->handle.reset(curl_easy_init());
    node->url = realUrl_;
    if (node->start > node->end) {
      node->status = 0;
    } else {
      node->status = -1;
      node->stream.reset(std::fopen(node->partPath.c_str(), "ab+"));
      if (!node->stream) node->status = -2;
    }
    parts_.push_back(std::move(node));
  }

  for (auto& node : parts_) {
    if (node->status != -1) continue;
    ++activeThreads_;
    DownloadPartNode* range = node.get();
    try {
      rangeThreads_.emplace_back([this, range] { downloadThreadFun(this, range); });
    } catch (const std::system_error& error) {
      // The range keeps its status -1, so the run reports it as failed.
      --activeThreads_;
      DEBUG_LOG_AS(L"CMTCurlDownloader::Start_Down", L"cannot start a range thread: %d", error.code().value());
      continue;
    }
    ::Sleep(100);
  }
  // Waiting here rather than on a detached thread keeps every thread of the
  // run joined, so a restart or the destructor never races a stray thread.
  waitForFinishThreadFun(this);
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& url) {
  realUrl_.clear();
  md5_.clear();
  length_ = 0;
  if (!g_InstallerConfig.IsCurlReady) return false;
  Download::UniqueCurl handle(curl_easy_init());
  if (!handle) return false;
  Download::UniqueCurlSlist headers = Download::MakeHeaderList({"Connection: keep-alive"});
  if (!headers) return false;
  // Peer and host verification stay on: the package runs elevated and its
  // expected MD5 comes from the URL we were redirected to.
  int options = curl_easy_setopt(handle.get(), CURLOPT_HTTPHEADER, headers.get());
  options |= curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str());
  options |= curl_easy_setopt(handle.get(), CURLOPT_FOLLOWLOCATION, 1L);
  options |= curl_easy_setopt(handle.get(), CURLOPT_NOBODY, 1L);
  options |= Download::ApplyCaBundle(handle.get());
  options |= curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, &Download::DiscardBody);
  options |= curl_easy_setopt(handle.get(), CURLOPT_CONNECTTIMEOUT, 60L);
  if (options != 0) return false;
  CURLcode result = curl_easy_perform(handle.get());
  if (result != CURLE_OK) {
    DEBUG_LOG(L"error:%d:%s", static_cast<int>(result), Download::CurlErrorText(result).c_str());
    return false;
  }
  const std::string effective = Download::EffectiveUrl(handle.get());
  if (!effective.empty()) {
    realUrl_ = effective;
    DEBUG_LOG(L"Download File real url %s", Utils::MultiByteToWide(realUrl_, CP_ACP).c_str());
    md5_ = Utils::GetUrlMd5(realUrl_);
  }
  curl_off_t length = -1;
  long status = 0;
  if (curl_easy_getinfo(handle.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
      curl_easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 &&
      status <= 399) {
    length_ = static_cast<int64_t>(length);
    DEBUG_LOG(L"Download File Length %lld", static_cast<long long>(length_));
  }
  if (length_ > kMaximumLength) {
    DEBUG_LOG(L"Download File Length %lld is beyond the 32-bit range offsets", static_cast<long long>(length_));
    length_ = 0;
    return false;
  }
  return !realUrl_.empty() && length_ >= kMinimumLength;
}

void CMTCurlDownloader::downloadThreadFun(CMTCurlDownloader* downloader, DownloadPartNode* node) {
  int budget = kAttemptBudget;
  for (;;) {
    int result = downloadExe(downloader, node);
    if (result == 0 || budget <= 0) break;
    // Every byte of the range is in: a surplus the server sent beyond it is not a failure of the range.
    if (node->start > node->end) {
      node->status = 0;
      node->stream.reset();
      break;
    }
    DEBUG_LOG(L"CurlDownLoader Code=%d", result);
    ::Sleep(400);
    budget -= (result == CURLE_PARTIAL_FILE) ? 1 : 2;
  }
  node->stream.reset();
  --downloader->activeThreads_;
}

int CMTCurlDownloader::downloadExe(CMTCurlDownloader* downloader, DownloadPartNode* node) {
  if (!node->handle) {
    node->status = static_cast<int>(CURLE_FAILED_INIT);
    return node->status;
  }
  CURL* handle = node->handle.get();
  const std::string range = std::to_string(node->start) + "-" + std::to_string(node->end);
  int options = curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_URL, node->url.c_str());
  options |= curl_easy_setopt(handle, CURLOPT_TIMEOUT, 0L);
  options |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &CMTCurlDownloader::WriteRange);
  options |= curl_easy_setopt(handle, CURLOPT_WRITEDATA, node);
  options |= curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  options |= curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &CMTCurlDownloader::ProgressCallback);
  options |= curl_easy_setopt(handle, CURLOPT_XFERINFODATA, downloader);
  options |= curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
  options |= curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, Download::kReceiveBufferSize);
  options |= Download::ApplyCaBundle(handle);
  options |= curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  options |= curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, 5L);
  options |= curl_easy_setopt(handle, CURLOPT_RANGE, range.c_str());
  if (options != 0) {
    curl_easy_reset(handle);
    return options;
  }
  CURLcode result = curl_easy_perform(handle);
  if (result != CURLE_OK)
    DEBUG_LOG(L"error:%d:%s", static_cast<int>(result), Download::CurlErrorText(result).c_str());
  else
    DEBUG_LOG(L"curl_easy_cleanup");
  curl_easy_reset(handle);
  if (result == CURLE_OK) node->stream.reset();
  node->status = static_cast<int>(result);
  return node->status;
}

size_t CMTCurlDownloader::WriteRange(char* data, size_t size, size_t count, void* nodePointer) {
  auto* node = static_cast<DownloadPartNode*>(nodePointer);
  if (!node->stream) return 0;
  const size_t block = size * count;
  const int64_t wanted = node->end - node->start + 1;
  if (wanted <= 0) return 0;
  size_t taken = 0;
  if (static_cast<int64_t>(block) > wanted) {
    taken = std::fwrite(data, 1, static_cast<size_t>(wanted), node->stream.get());
    node->start = node->end + 1;
  } else {
    taken = std::fwrite(data, 1, block, node->stream.get());
    node->start += static_cast<int64_t>(taken);
  }
  node->downloaded += static_cast<int64_t>(taken);
  return taken;
}

int CMTCurlDownloader::ProgressCallback(void* downloaderPointer, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* downloader = static_cast<CMTCurlDownloader*>(downloaderPointer);
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  int64_t last = downloader->lastProgressTime_.load();
  if (now <= last || !downloader->lastProgressTime_.compare_exchange_strong(last, now)) return 0;

  double percent = 0.0;
  if (downloader->length_ >= kMinimumLength) {
    for (const auto& node : downloader->parts_) {
      const int64_t done = node->downloaded.load();
      if (done > 0) percent += static_cast<double>(done) * 100.0 / static_cast<double>(downloader->length_);
    }
    if (!(percent <= 100.0)) return 0;
  }
  bool report = false;
  {
    std::lock_guard<std::mutex> guard(downloader->lock_);
    if (percent - downloader->lastPct_ >= 1.0) {
      downloader->lastPct_ = percent;
      report = true;
    }
  }
  if (report) downloader->Send(DL_CODE_PROGRESS, percent / 100.0, L"");
  return 0;
}

void CMTCurlDownloader::DestroyNodes() { parts_.clear(); }

bool CMTCurlDownloader::JoinParts() {
  for (auto& node : parts_) node->stream.reset();  // flush every part before reading it
  const std::string first = Download::PartFilePath(ansiPath_, 0);
  Utils::UniqueCFile joined(std::fopen(first.c_str(), "ab+"));
  if (!joined) {
    DEBUG_LOG_AS(L"CMTCurlDownloader::waitForFinishThreadFun", L"cannot open %s", Utils::MultiByteToWide(first, CP_ACP).c_str());
    return false;
  }
  std::vector<char> buffer(65536);
  for (size_t i = 1; i < parts_.size(); ++i) {
    Utils::UniqueCFile part(std::fopen(parts_[i]->partPath.c_str(), "rb+"));
    if (!part) return false;
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), part.get())) > 0) {
      if (std::fwrite(buffer.data(), 1, got, joined.get()) != got) return false;
    }
    if (std::ferror(part.get())) return false;
    DEBUG_LOG_AS(L"CMTCurlDownloader::waitForFinishThreadFun", L"partPath::%s",
                 Utils::MultiByteToWide(parts_[i]->partPath, CP_ACP).c_str());
  }
  if (std::fclose(joined.release()) != 0) return false;
  if (!::MoveFileA(first.c_str(), ansiPath_.c_str())) return false;
  DeletePartFiles();
  return true;
}

void CMTCurlDownloader::FailOrRetry(double value) {
  if (!retried_) {
    retried_ = true;
    Send(DL_CODE_RETRY, value, L"LibCurl");
  } else {
    lastPct_ = 0.0;
    Send(DL_CODE_FAIL, value, L"LibCurl");
  }
}

void CMTCurlDownloader::waitForFinishThreadFun(CMTCurlDownloader* self) {
  for (auto& thread : self->rangeThreads_) thread.join();
  self->rangeThreads_.clear();

  int failed = 0;
  for (const auto& node : self->parts_) {
    if (node->status != 0) {
      failed = node->status;
      break;
    }
  }
  const double f = static_cast<double>(failed);
  const wchar_t* name = L"CMTCurlDownloader::waitForFinishThreadFun";

  if (failed != 0) {
    self->DestroyNodes();
    if (self->lastPct_ == 0.0) self->DeletePartFiles();
    self->FailOrRetry(f);
    return;
  }

  self->lastPct_ = 0.0;
  if (!self->JoinParts()) {
    // The parts are complete but could not become T: nothing a retry of the
    // same files would cure, so the run fails.
    self->DestroyNodes();
    self->DeletePartFiles();
    self->Send(DL_CODE_FAIL, -2.0, L"LibCurl");
    return;
  }
  if (self->md5_.size() == 32) {
    const std::string actual = Utils::GetFileMd5(self->ansiPath_);
    if (actual.size() == 32 && actual != self->md5_) {
      self->Send(DL_CODE_INFO, f, L"mtcurl文件md5校验失败");
      DeleteAnsiFile(self->ansiPath_);
      self->DestroyNodes();
      if (!self->retried_) {
        self->retried_ = true;
        DEBUG_LOG_AS(name, L"finish recv, md5 chaek failed retry once.");
        self->Send(DL_CODE_RETRY, 0.0, L"LibCurl");
      } else {
        DEBUG_LOG_AS(name, L"finish recv, md5 chaek failed and retry failed.");
        self->Send(DL_CODE_FAIL, 0.0, L"LibCurl");
      }
      return;
    }
  } else {
    self->Send(DL_CODE_INFO, f, L"mtcurl获取url-md5失败");
  }
  DEBUG_LOG_AS(name, L"finish recv");
  self->DestroyNodes();
  self->Send(DL_CODE_SUCCESS, 0.0, L"LibCurl");
}
