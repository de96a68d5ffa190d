#include "SkinUI/archive/MemoryByteStream.h"

#include <cstring>

namespace SkinUI {
namespace {

SRes ReadThunk(ISeekInStreamPtr p, void* buffer, size_t* size) {
  return reinterpret_cast<MemoryByteStream*>(const_cast<ISeekInStream*>(p))->Read(buffer, size);
}

SRes SeekThunk(ISeekInStreamPtr p, Int64* offset, ESzSeek origin) {
  return reinterpret_cast<MemoryByteStream*>(const_cast<ISeekInStream*>(p))->Seek(offset, origin);
}

}  // namespace

MemoryByteStream::MemoryByteStream(const void* data, size_t size)
    : bytes(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size) {
  vt.Read = ReadThunk;
  vt.Seek = SeekThunk;
}

SRes MemoryByteStream::Read(void* buffer, size_t* size) {
  const size_t remaining = position < bytes.size() ? bytes.size() - position : 0;
  const size_t count = *size < remaining ? *size : remaining;
  if (count > 0) std::memcpy(buffer, bytes.data() + position, count);
  position += count;
  *size = count;
  return SZ_OK;
}

SRes MemoryByteStream::Seek(Int64* offset, ESzSeek origin) {
  switch (origin) {
    case SZ_SEEK_SET:
      if (*offset < 0) return kSeekInvalidOrigin;
      position = static_cast<size_t>(*offset);
      return SZ_OK;
    case SZ_SEEK_CUR:
      // The reader only asks this with offset 0, to learn where it is.
      *offset = static_cast<Int64>(position);
      return SZ_OK;
    case SZ_SEEK_END:
      position = bytes.size();
      *offset = static_cast<Int64>(bytes.size());
      return SZ_OK;
  }
  return kSeekInvalidOrigin;
}

}  // namespace SkinUI
