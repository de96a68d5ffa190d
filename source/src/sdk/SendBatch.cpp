#include "source/src/sdk/SendBatch.h"

#include <cstdio>

#include "source/src/sdk/BatchEncoding.h"
#include "source/src/sdk/HttpPostClient.h"

namespace telemetry_core {

static const long kSendTimeoutSeconds = 3;

bool BuildBatchBody(const std::string& batch, std::string& body) {
  std::string compressed;
  if (!GzipCompress(batch, compressed)) return false;
  body = "data_list=" + UrlEncode(Base64Encode(compressed)) + "&gzip=1";
  return true;
}

bool SendBatch(const std::string& url, const std::string& batch, const std::map<std::string, std::string>& headers) {
  std::string body;
  if (!BuildBatchBody(batch, body)) return false;
  HttpResponse response = HttpPostClient::Post(url, body, headers, kSendTimeoutSeconds);
  if (response.code == 200) return true;
  std::fprintf(stderr, "TelemetryCore SDK send failed: %s\n", response.body.c_str());
  return false;
}

}  // namespace telemetry_core
