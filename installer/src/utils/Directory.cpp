#include "installer/src/utils/Directory.h"

#include <windows.h>

namespace Utils {
namespace {

bool DirectoryExists(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EnsureDirectory(const std::wstring& path) {
  return DirectoryExists(path) || ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

}  // namespace

bool CreateDirectoryTree(const std::wstring& path) {
  if (path.size() > MAX_PATH) return false;
  size_t last = std::wstring::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] != L'\\') continue;
    last = i;
    if (!EnsureDirectory(path.substr(0, i + 1))) return false;
  }
  bool tail = last == std::wstring::npos ? !path.empty() : last + 1 < path.size();
  if (tail && !EnsureDirectory(path)) return false;
  return true;
}

}  // namespace Utils
