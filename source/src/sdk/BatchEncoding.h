#pragma once
// The encodings a batch goes through before it is posted:
// gzip -> Base64 -> URL encoding.
#include <string>

namespace telemetry_core {

// zlib deflate, level 9, gzip wrapper (window bits 31). False on failure,
// with the reason on standard error.
bool GzipCompress(const std::string& input, std::string& output);
// RFC 4648 Base64 with '=' padding, no line breaks.
std::string Base64Encode(const std::string& bytes);
// Keeps A-Z a-z 0-9 - . _ ~; every other byte becomes %XX (upper-case hex).
std::string UrlEncode(const std::string& text);

}  // namespace telemetry_core
