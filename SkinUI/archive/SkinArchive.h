#pragma once
// The skin's 7z archive, decompressed completely when opened: an ordered list
// of files, looked up by relative path.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

struct SkinArchiveEntry {
  std::wstring name;                // as stored, "/" separated, e.g. "res/mainWnd/bg1.png"
  uint32_t nameLength = 0;          // UTF-16 units including the terminating zero
  uint32_t index = 0;               // position in the archive's file list
  std::vector<unsigned char> data;  // the whole decompressed file
  uint64_t size = 0;
};

class CSkinArchive {
 public:
  // Null when the bytes are not a 7z archive.
  static std::unique_ptr<CSkinArchive> OpenFromMemory(const void* data, size_t size);
  // Null when the file cannot be read or is not a 7z archive.
  static std::unique_ptr<CSkinArchive> OpenFromFile(const std::wstring& path);

  // "\" counts as "/", letter case is ignored; nothing else is normalised.
  bool Find(const wchar_t* relativePath, uint32_t* index, uint64_t* size) const;
  // Copies the whole entry; 0 on success, -1 when no entry has that index.
  int CopyOut(uint32_t index, void* destination) const;

  const std::vector<SkinArchiveEntry>& Entries() const { return entries_; }

 private:
  CSkinArchive() = default;
  // Loads every file; false when the archive database cannot be opened.
  bool Load(const void* data, size_t size);

  std::vector<SkinArchiveEntry> entries_;
};

}  // namespace SkinUI
