#pragma once
// Reads one skin file, by relative name, from wherever the process-wide
// resource settings say the skin lives: plain files under the resource path,
// or the 7z archive (cached, or opened for this one read).
#include <vector>

namespace SkinUI {

enum class SkinFileStatus {
  kOk,
  kOpenFailed,         // the disk file cannot be opened
  kEmpty,
  kTooLarge,
  kReadFailed,         // fewer bytes than the file's size
  kArchiveOpenFailed,
  kNotInArchive,
  kExtractFailed,
};

struct SkinFileData {
  SkinFileStatus status = SkinFileStatus::kOpenFailed;
  std::vector<unsigned char> bytes;
};

// maxSize 0 means no limit. An empty file is reported as kEmpty.
SkinFileData ReadSkinFile(const wchar_t* relativeName, unsigned maxSize = 0);

// Reads a file by its own path (the image loader's last resort).
SkinFileData ReadDiskFile(const wchar_t* path, unsigned maxSize = 0);

}  // namespace SkinUI
