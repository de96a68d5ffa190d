#pragma once
// One HTTP POST per call on a fresh libcurl handle.
#include <map>
#include <string>

namespace telemetry_core {

struct HttpResponse {
  int code = -1;  // -1 when the transfer itself failed
  std::string body;
  std::map<std::string, std::string> headers;
  double totalTime = 0, nameLookupTime = 0, connectTime = 0, tlsConnectTime = 0;
  double preTransferTime = 0, startTransferTime = 0, redirectTime = 0;
  long redirectCount = 0;
};

class HttpPostClient {
 public:
  static const char* UserAgent() { return "TelemetryCore CPP SDK 0.9"; }
  // Never throws: failures come back as code -1 with the reason as body.
  static HttpResponse Post(const std::string& url, const std::string& body,
                           const std::map<std::string, std::string>& headers, long timeoutSeconds);
};

// Stores one received header line (exposed for tests).
void StoreHeaderLine(const std::string& line, std::map<std::string, std::string>& headers);

}  // namespace telemetry_core
