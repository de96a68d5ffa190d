#pragma once
// How the multi-part downloader splits a package into byte ranges: one range
// below 20 MiB, two from 20 MiB up; the last range takes the remainder.
#include <cstdint>
#include <string>
#include <vector>

namespace Download {

struct ByteRange {
  int64_t first;  // offset of the range's first byte
  int64_t last;   // offset of its last byte (inclusive)
};

constexpr int64_t kRangeUnit = 10485760;  // 10 MiB

std::vector<ByteRange> PlanRanges(int64_t length);

// The part file of range `index` for target (ANSI) path T: T + "_" + index.
std::string PartFilePath(const std::string& target, size_t index);

}  // namespace Download
