#pragma once
#include <string>

namespace Utils {

// Creates every missing folder of a backslash-separated path; false when the
// path is longer than MAX_PATH or a folder cannot be created.
bool CreateDirectoryTree(const std::wstring& path);

}  // namespace Utils
