#pragma once
// Posts one batch (a JSON array text) to the collection endpoint.
#include <map>
#include <string>

namespace telemetry_core {

// The form body: "data_list=" + UrlEncode(Base64(gzip(batch))) + "&gzip=1".
// False when compression fails.
bool BuildBatchBody(const std::string& batch, std::string& body);
// True only for status 200.
bool SendBatch(const std::string& url, const std::string& batch, const std::map<std::string, std::string>& headers);

}  // namespace telemetry_core
