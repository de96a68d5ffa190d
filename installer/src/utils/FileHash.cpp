#include "installer/src/utils/FileHash.h"

#include <cstdio>
#include <new>

#include "installer/src/utils/Md5.h"
#include "installer/src/utils/UniqueResource.h"

namespace Utils {

std::string GetFileMd5(const std::string& path) {
  try {
    UniqueCFile file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::string();
    Md5 md5;
    unsigned char block[1024];
    size_t n;
    // A read error ends the input like the end of the file does.
    while ((n = std::fread(block, 1, sizeof block, file.get())) > 0) md5.Update(block, n);
    return md5.HexDigest();
  } catch (const std::bad_alloc&) {
    return std::string();
  }
}

std::string GetUrlMd5(const std::string& url) {
  size_t last = url.rfind('/');
  if (last == std::string::npos || last == 0) return std::string();
  size_t before = url.rfind('/', last - 1);
  if (before == std::string::npos) return std::string();
  return url.substr(before + 1, last - before - 1);
}

}  // namespace Utils
