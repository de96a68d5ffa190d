#pragma once
// Seekable input for the 7z reader over a private copy of bytes in memory.
#include <7zTypes.h>

#include <cstddef>
#include <vector>

namespace SkinUI {

// Origins other than start, current and end fail with this code.
constexpr SRes kSeekInvalidOrigin = 87;

struct MemoryByteStream {
  ISeekInStream vt;  // first member: the reader casts the interface back to us
  std::vector<unsigned char> bytes;
  size_t position = 0;

  MemoryByteStream(const void* data, size_t size);
  MemoryByteStream(const MemoryByteStream&) = delete;
  MemoryByteStream& operator=(const MemoryByteStream&) = delete;

  // Copies at most *size bytes from the current position; *size gets the count.
  SRes Read(void* buffer, size_t* size);
  SRes Seek(Int64* offset, ESzSeek origin);
};

}  // namespace SkinUI
