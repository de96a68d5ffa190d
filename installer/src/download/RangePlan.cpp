#include "installer/src/download/RangePlan.h"

namespace Download {

std::vector<ByteRange> PlanRanges(int64_t length) {
  std::vector<ByteRange> ranges;
  if (length <= 0) return ranges;
  int64_t count = length / kRangeUnit;
  if (count < 1) count = 1;
  if (count > 2) count = 2;
  const int64_t size = length / count;
  int64_t offset = 0;
  for (int64_t i = 0; i < count; ++i) {
    const int64_t rangeSize = (i == count - 1) ? size + length % count : size;
    ranges.push_back({offset, offset + rangeSize - 1});
    offset += rangeSize;
  }
  return ranges;
}

std::string PartFilePath(const std::string& target, size_t index) { return target + "_" + std::to_string(index); }

}  // namespace Download
