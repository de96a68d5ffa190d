#pragma once
// The MD5 of a downloaded file and the MD5 its download URL promises.
#include <string>

namespace Utils {

// MD5 of the file's bytes as 32 lower-case hex characters; empty when the
// file cannot be opened. `path` is in the ANSI code page.
std::string GetFileMd5(const std::string& path);

// The second-to-last path segment ("a/b/c" -> "b"); empty with fewer than two "/".
std::string GetUrlMd5(const std::string& url);

}  // namespace Utils
