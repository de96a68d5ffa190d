#include "source/src/sdk/BatchConsumer.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>

#include "source/src/sdk/SendBatch.h"

namespace telemetry_core {

namespace {
std::filesystem::path StagingFile(const std::string& utf8) { return std::filesystem::u8path(utf8); }

bool LooksLikeRecord(const std::string& line) {
  return !line.empty() && line.front() == '{' && line.back() == '}';
}
}  // namespace

BatchConsumer::BatchConsumer(std::string serverUrl, std::string stagingPath)
    : stagingPath_(std::move(stagingPath)), serverUrl_(std::move(serverUrl)) {}

BatchConsumer::~BatchConsumer() { Close(); }

void BatchConsumer::Add(const std::string& record) {
  if (verbose_) std::printf("add record:%s\n", record.c_str());
  std::lock_guard<std::mutex> lock(queueLock_);
  queue_.push_back(record);
  if (queue_.size() > kCapacity) {
    queue_.pop_front();
    if (verbose_) std::printf("record is full, delete record\n");
  }
}

void BatchConsumer::LoadStagedLocked() {
  if (!stagingPending_) return;
  stagingPending_ = false;
  if (stagingPath_.empty()) return;
  size_t room = queue_.size() < kCapacity ? kCapacity - queue_.size() : 0;
  if (room > 0) {
    std::deque<std::string> kept;
    std::ifstream in(StagingFile(stagingPath_));  // missing or unreadable: nothing staged
    std::string line;
    while (in && std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!LooksLikeRecord(line)) continue;
      kept.push_back(line);
      if (kept.size() > room) kept.pop_front();
    }
    queue_.insert(queue_.begin(), kept.begin(), kept.end());
  }
  std::error_code ec;
  if (std::filesystem::exists(StagingFile(stagingPath_), ec)) {
    // Truncation failing only means the lines are offered once more next run.
    std::ofstream truncate(StagingFile(stagingPath_), std::ios::trunc);
  }
}

void BatchConsumer::PutBackLocked(const std::vector<std::string>& batch) {
  size_t room = queue_.size() < kCapacity ? kCapacity - queue_.size() : 0;
  if (room == 0) return;
  size_t skip = batch.size() > room ? batch.size() - room : 0;
  queue_.insert(queue_.begin(), batch.begin() + static_cast<std::ptrdiff_t>(skip), batch.end());
}

bool BatchConsumer::SendOneBatch() {
  std::vector<std::string> batch;
  {
    std::lock_guard<std::mutex> lock(queueLock_);
    size_t n = queue_.size() < kBatchSize ? queue_.size() : kBatchSize;
    if (n == 0) return true;
    batch.assign(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
  }
  std::string text = "[";
  for (size_t i = 0; i < batch.size(); ++i) {
    if (i) text += ',';
    text += batch[i];
  }
  text += ']';
  if (verbose_) std::printf("flush record : %s\n", text.c_str());
  std::map<std::string, std::string> headers;
  if (!cookie_.empty()) headers["Cookie"] = cookie_;
  bool sent = false;
  try {
    sent = SendBatch(serverUrl_, text, headers);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Exception when flush failed: (%s) \n", e.what());
    return false;
  } catch (...) {
    return false;
  }
  if (!sent) {
    std::lock_guard<std::mutex> lock(queueLock_);
    PutBackLocked(batch);
  }
  return sent;
}

bool BatchConsumer::Flush() {
  {
    std::lock_guard<std::mutex> lock(queueLock_);
    LoadStagedLocked();
  }
  std::lock_guard<std::mutex> send(sendLock_);
  return SendOneBatch();
}

bool BatchConsumer::FlushAll() {
  {
    std::lock_guard<std::mutex> lock(queueLock_);
    LoadStagedLocked();
  }
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(queueLock_);
      if (queue_.empty()) return true;
    }
    if (!Flush()) return false;
  }
}

size_t BatchConsumer::QueueSize() {
  std::lock_guard<std::mutex> lock(queueLock_);
  return queue_.size();
}

std::vector<std::string> BatchConsumer::QueueSnapshot() {
  std::lock_guard<std::mutex> lock(queueLock_);
  return {queue_.begin(), queue_.end()};
}

void BatchConsumer::Close() {
  std::lock_guard<std::mutex> lock(queueLock_);
  LoadStagedLocked();
  if (stagingPath_.empty()) return;
  std::ofstream out(StagingFile(stagingPath_), std::ios::trunc);
  if (!out) {
    std::fprintf(stderr, "TelemetryCore SDK cannot write the staging file: %s\n", stagingPath_.c_str());
    return;
  }
  for (const auto& record : queue_) out << record << '\n';
}

}  // namespace telemetry_core
