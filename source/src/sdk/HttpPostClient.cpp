#include "source/src/sdk/HttpPostClient.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "source/src/sdk/TlsTrust.h"

namespace telemetry_core {

namespace {

struct CurlEasyDeleter {
  void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
struct CurlListDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlList = std::unique_ptr<curl_slist, CurlListDeleter>;

std::string TrimSpace(const std::string& s) {
  const char* ws = " \t\r\n";
  size_t b = s.find_first_not_of(ws);
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(ws);
  return s.substr(b, e - b + 1);
}

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

size_t WriteHeader(char* data, size_t size, size_t count, void* user) {
  StoreHeaderLine(std::string(data, size * count), *static_cast<std::map<std::string, std::string>*>(user));
  return size * count;
}

HttpResponse Perform(const std::string& url, const std::string& body,
                     const std::map<std::string, std::string>& headers, long timeoutSeconds) {
  CurlEasy curl(curl_easy_init());
  if (!curl) throw std::runtime_error("Couldn't initialize curl handle");
  HttpResponse response;
  CURL* h = curl.get();
  curl_easy_setopt(h, CURLOPT_POST, 1L);
  curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  // Peer and host verification stay on; a configured bundle replaces the system store.
  std::string ca = CollectorCaBundlePath();
  if (!ca.empty()) curl_easy_setopt(h, CURLOPT_CAINFO, ca.c_str());
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &response.body);
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, WriteHeader);
  curl_easy_setopt(h, CURLOPT_HEADERDATA, &response.headers);
  CurlList list;
  for (const auto& [name, value] : headers) {
    curl_slist* next = curl_slist_append(list.get(), (name + ": " + value).c_str());
    if (!next) throw std::runtime_error("Couldn't build the request headers");
    list.release();
    list.reset(next);
  }
  if (list) curl_easy_setopt(h, CURLOPT_HTTPHEADER, list.get());
  curl_easy_setopt(h, CURLOPT_USERAGENT, HttpPostClient::UserAgent());
  if (timeoutSeconds != 0) {
    curl_easy_setopt(h, CURLOPT_TIMEOUT, timeoutSeconds);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  }
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  CURLcode rc = curl_easy_perform(h);
  if (rc != CURLE_OK) {
    response.code = -1;
    response.body = curl_easy_strerror(rc);
    return response;
  }
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  response.code = static_cast<int>(status);
  // Timings are informational only; a failed query leaves the zero default.
  curl_easy_getinfo(h, CURLINFO_TOTAL_TIME, &response.totalTime);
  curl_easy_getinfo(h, CURLINFO_NAMELOOKUP_TIME, &response.nameLookupTime);
  curl_easy_getinfo(h, CURLINFO_CONNECT_TIME, &response.connectTime);
  curl_easy_getinfo(h, CURLINFO_APPCONNECT_TIME, &response.tlsConnectTime);
  curl_easy_getinfo(h, CURLINFO_PRETRANSFER_TIME, &response.preTransferTime);
  curl_easy_getinfo(h, CURLINFO_STARTTRANSFER_TIME, &response.startTransferTime);
  curl_easy_getinfo(h, CURLINFO_REDIRECT_TIME, &response.redirectTime);
  curl_easy_getinfo(h, CURLINFO_REDIRECT_COUNT, &response.redirectCount);
  return response;
}

}  // namespace

void StoreHeaderLine(const std::string& line, std::map<std::string, std::string>& headers) {
  std::string trimmed = TrimSpace(line);
  if (trimmed.empty()) return;
  size_t colon = trimmed.find(':');
  if (colon == std::string::npos) {
    headers[trimmed] = "present";
    return;
  }
  headers[TrimSpace(trimmed.substr(0, colon))] = TrimSpace(trimmed.substr(colon + 1));
}

HttpResponse HttpPostClient::Post(const std::string& url, const std::string& body,
                                  const std::map<std::string, std::string>& headers, long timeoutSeconds) {
  try {
    return Perform(url, body, headers, timeoutSeconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    HttpResponse failed;
    failed.code = -1;
    failed.body = e.what();
    return failed;
  }
}

}  // namespace telemetry_core
