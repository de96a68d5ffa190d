#include "SkinUI/archive/SkinArchive.h"

#include <windows.h>

#include <7z.h>
#include <7zAlloc.h>
#include <7zCrc.h>

#include <cstring>

#include "SkinUI/archive/MemoryByteStream.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Strings.h"
#include "installer/src/utils/UniqueResource.h"

namespace SkinUI {
namespace {

const ISzAlloc kAllocMain = {SzAlloc, SzFree};
const ISzAlloc kAllocTemp = {SzAllocTemp, SzFreeTemp};
constexpr size_t kLookAheadSize = 1 << 14;

}  // namespace

std::unique_ptr<CSkinArchive> CSkinArchive::OpenFromMemory(const void* data, size_t size) {
  std::unique_ptr<CSkinArchive> archive(new CSkinArchive());
  if (!archive->Load(data, size)) return nullptr;
  return archive;
}

std::unique_ptr<CSkinArchive> CSkinArchive::OpenFromFile(const std::wstring& path) {
  // The C runtime opens the file by its ANSI name.
  const std::string ansiPath = Utils::WideToMultiByte(path, CP_ACP);
  Utils::UniqueCFile file(std::fopen(ansiPath.c_str(), "rb"));
  if (!file) {
    DEBUG_LOG(L"cannot open archive %s", path.c_str());
    return nullptr;
  }
  std::vector<unsigned char> bytes;
  unsigned char chunk[1 << 14];
  for (size_t got; (got = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0;) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) {
    DEBUG_LOG(L"cannot read archive %s", path.c_str());
    return nullptr;
  }
  return OpenFromMemory(bytes.data(), bytes.size());
}

bool CSkinArchive::Load(const void* data, size_t size) {
  MemoryByteStream stream(data, size);
  std::vector<Byte> lookAhead(kLookAheadSize);
  CLookToRead2 reader;
  LookToRead2_CreateVTable(&reader, False);
  reader.buf = lookAhead.data();
  reader.bufSize = lookAhead.size();
  reader.realStream = &stream.vt;
  LookToRead2_INIT(&reader);

  CrcGenerateTable();
  CSzArEx db;
  SzArEx_Init(&db);
  const SRes opened = SzArEx_Open(&db, &reader.vt, &kAllocMain, &kAllocTemp);
  if (opened != SZ_OK) {
    DEBUG_LOG(L"not a 7z archive (%d)", opened);
    SzArEx_Free(&db, &kAllocMain);
    return false;
  }

  // Solid blocks are decoded once and reused for the items that follow.
  UInt32 blockIndex = 0xFFFFFFFF;
  Byte* block = nullptr;
  size_t blockSize = 0;
  for (UInt32 i = 0; i < db.NumFiles; ++i) {
    if (SzArEx_IsDir(&db, i)) continue;
    SkinArchiveEntry entry;
    const size_t nameLength = SzArEx_GetFileNameUtf16(&db, i, nullptr);
    std::vector<UInt16> name(nameLength + 1, 0);
    SzArEx_GetFileNameUtf16(&db, i, name.data());
    entry.name.assign(name.begin(), name.begin() + (nameLength > 0 ? nameLength - 1 : 0));
    entry.nameLength = static_cast<uint32_t>(nameLength);
    entry.index = i;

    size_t offset = 0;
    size_t processed = 0;
    const SRes extracted = SzArEx_Extract(&db, &reader.vt, i, &blockIndex, &block, &blockSize, &offset,
                                          &processed, &kAllocMain, &kAllocTemp);
    if (extracted != SZ_OK) {
      // The entries loaded so far stay usable.
      DEBUG_LOG(L"extracting %s failed (%d)", entry.name.c_str(), extracted);
      break;
    }
    entry.data.assign(block + offset, block + offset + processed);
    entry.size = processed;
    entries_.push_back(std::move(entry));
  }
  ISzAlloc_Free(&kAllocMain, block);
  SzArEx_Free(&db, &kAllocMain);
  return true;
}

bool CSkinArchive::Find(const wchar_t* relativePath, uint32_t* index, uint64_t* size) const {
  if (relativePath == nullptr) return false;
  std::wstring wanted(relativePath);
  for (wchar_t& ch : wanted) {
    if (ch == L'\\') ch = L'/';
  }
  for (const SkinArchiveEntry& entry : entries_) {
    if (entry.nameLength == wanted.size() + 1 && ::lstrcmpiW(entry.name.c_str(), wanted.c_str()) == 0) {
      if (index) *index = entry.index;
      if (size) *size = entry.size;
      return true;
    }
  }
  return false;
}

int CSkinArchive::CopyOut(uint32_t index, void* destination) const {
  for (const SkinArchiveEntry& entry : entries_) {
    if (entry.index == index) {
      if (!entry.data.empty()) std::memcpy(destination, entry.data.data(), entry.data.size());
      return 0;
    }
  }
  return -1;
}

}  // namespace SkinUI
