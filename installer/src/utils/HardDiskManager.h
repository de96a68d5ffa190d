#pragma once
// Free and total space of a volume.
#include <cstdint>
#include <string>

namespace Utils {

class HardDiskManager {
 public:
  virtual ~HardDiskManager() = default;

  // Fills the fields for a directory or drive ("C:"); false (fields kept)
  // when the system cannot tell.
  bool CheckFreeSpace(const std::wstring& directory);

  uint64_t FreeBytesAvailable() const { return freeBytesAvailable_; }
  uint64_t TotalBytes() const { return totalBytes_; }
  uint64_t TotalFreeBytes() const { return totalFreeBytes_; }

 private:
  uint64_t freeBytesAvailable_ = 0;  // free to the calling user
  uint64_t totalBytes_ = 0;
  uint64_t totalFreeBytes_ = 0;
};

}  // namespace Utils
