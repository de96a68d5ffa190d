#pragma once
// MD5 message digest (RFC 1321), incremental.
#include <cstddef>
#include <cstdint>
#include <string>

namespace Utils {

class Md5 {
 public:
  Md5();
  void Update(const void* data, size_t size);
  // Finishes the digest; the object must not be updated afterwards.
  void Final(uint8_t digest[16]);
  // 32 lower-case hexadecimal characters.
  std::string HexDigest();

 private:
  void Transform(const uint8_t block[64]);
  uint32_t state_[4];
  uint64_t bitCount_ = 0;
  uint8_t buffer_[64];
};

std::string Md5Hex(const void* data, size_t size);

}  // namespace Utils
