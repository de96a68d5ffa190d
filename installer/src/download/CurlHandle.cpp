#include "installer/src/download/CurlHandle.h"

#include <windows.h>

#include "installer/src/download/CaBundle.h"
#include "installer/src/utils/Strings.h"

namespace Download {

UniqueCurlSlist MakeHeaderList(std::initializer_list<const char*> headers) {
  UniqueCurlSlist list;
  for (const char* header : headers) {
    curl_slist* grown = curl_slist_append(list.get(), header);
    if (grown == nullptr) return UniqueCurlSlist();
    list.release();
    list.reset(grown);
  }
  return list;
}

CURLcode ApplyCaBundle(CURL* handle) {
  const std::string bundle = CaBundlePath();
  if (bundle.empty()) return CURLE_OK;
  return curl_easy_setopt(handle, CURLOPT_CAINFO, bundle.c_str());
}

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

std::string EffectiveUrl(CURL* handle) {
  char* url = nullptr;
  if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &url) != CURLE_OK || url == nullptr) return {};
  return url;
}

std::wstring CurlErrorText(CURLcode code) { return Utils::MultiByteToWide(curl_easy_strerror(code), CP_ACP); }

std::string NarrowUrl(const std::wstring& url) {
  if (Utils::StartsWith(url, L"file:///")) return Utils::WideToMultiByte(url, CP_ACP);
  return Utils::WideToMultiByte(url, CP_UTF8);
}

}  // namespace Download
