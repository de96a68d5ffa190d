#include <zlib.h>

#include <cstdio>

#include "source/src/sdk/BatchEncoding.h"

namespace telemetry_core {

bool GzipCompress(const std::string& input, std::string& output) {
  z_stream zs{};
  if (deflateInit2(&zs, 9, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    std::fprintf(stderr, "deflateInit2 failed while compressing.\n");
    return false;
  }
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  zs.avail_in = static_cast<uInt>(input.size());
  output.clear();
  char chunk[32768];
  int ret = Z_OK;
  do {
    zs.next_out = reinterpret_cast<Bytef*>(chunk);
    zs.avail_out = sizeof chunk;
    ret = deflate(&zs, Z_FINISH);
    output.append(chunk, sizeof chunk - zs.avail_out);
  } while (ret == Z_OK);
  std::string message = zs.msg ? zs.msg : "";
  deflateEnd(&zs);
  if (ret != Z_STREAM_END) {
    std::fprintf(stderr, "Exception during zlib compression: (%d) %s\n", ret, message.c_str());
    return false;
  }
  return true;
}

}  // namespace telemetry_core
