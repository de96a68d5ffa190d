#pragma once
// The bounded record queue with its staging file, sent in batches of 30.
// Lock order: send lock before queue lock; the queue lock is never held
// across an HTTP request.
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace telemetry_core {

class BatchConsumer {
 public:
  static const size_t kCapacity = 1024;
  static const size_t kBatchSize = 30;

  BatchConsumer(std::string serverUrl, std::string stagingPath);
  ~BatchConsumer();  // Close(): the queue goes to the staging file
  BatchConsumer(const BatchConsumer&) = delete;
  BatchConsumer& operator=(const BatchConsumer&) = delete;

  void Add(const std::string& record);
  bool Flush();
  bool FlushAll();

  size_t QueueSize();
  std::vector<std::string> QueueSnapshot();

 private:
  void LoadStagedLocked();
  bool SendOneBatch();
  void PutBackLocked(const std::vector<std::string>& batch);
  void Close();

  std::string cookie_;
  bool verbose_ = false;
  std::deque<std::string> queue_;
  std::string stagingPath_;
  bool stagingPending_ = true;
  std::string serverUrl_;
  std::mutex queueLock_;
  std::mutex sendLock_;
};

}  // namespace telemetry_core
