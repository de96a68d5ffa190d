#pragma once
// Owners for libcurl's easy handles and header lists, plus the option
// settings every downloader shares.
#include <curl/curl.h>

#include <string>

#include "installer/src/utils/UniqueResource.h"

namespace Download {

struct CurlEasyTraits {
  using pointer = CURL*;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { curl_easy_cleanup(h); }
};

struct CurlSlistTraits {
  using pointer = curl_slist*;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer l) noexcept { curl_slist_free_all(l); }
};

// libcurl's largest receive buffer. Its 16 KiB default costs a system call per
// 16 KiB, which under Wine makes a loopback transfer about four times slower.
constexpr long kReceiveBufferSize = 524288;

using UniqueCurl = Utils::UniqueResource<CurlEasyTraits>;
using UniqueCurlSlist = Utils::UniqueResource<CurlSlistTraits>;

// Appends each header in turn; the empty list when an append fails.
UniqueCurlSlist MakeHeaderList(std::initializer_list<const char*> headers);

// Points libcurl at the configured CA bundle when there is one. Peer and host
// verification stay at libcurl's defaults (on): the package is run elevated.
CURLcode ApplyCaBundle(CURL* handle);

// A write function that drops the body (probes).
size_t DiscardBody(char* data, size_t size, size_t count, void* user);

// Effective URL after redirects; empty when absent.
std::string EffectiveUrl(CURL* handle);

// libcurl's error text in wide form (ANSI code page).
std::wstring CurlErrorText(CURLcode code);

// The URL as libcurl wants it: UTF-8, but a local "file:///" path in the ANSI code page.
std::string NarrowUrl(const std::wstring& url);

}  // namespace Download
