#include "SkinUI/markup/SkinFileReader.h"

#include <windows.h>

#include <memory>

#include "SkinUI/archive/SkinArchive.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "installer/src/utils/UniqueResource.h"

namespace SkinUI {

SkinFileData ReadDiskFile(const wchar_t* path, unsigned maxSize) {
  SkinFileData result;
  Utils::UniqueFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    result.status = SkinFileStatus::kOpenFailed;
    return result;
  }
  LARGE_INTEGER size = {};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) {
    result.status = SkinFileStatus::kReadFailed;
    return result;
  }
  if (size.QuadPart == 0) {
    result.status = SkinFileStatus::kEmpty;
    return result;
  }
  if (maxSize != 0 && size.QuadPart > maxSize) {
    result.status = SkinFileStatus::kTooLarge;
    return result;
  }
  result.bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!::ReadFile(file.get(), result.bytes.data(), static_cast<DWORD>(size.QuadPart), &read, nullptr) ||
      read < size.QuadPart) {
    result.bytes.clear();
    result.status = SkinFileStatus::kReadFailed;
    return result;
  }
  result.status = SkinFileStatus::kOk;
  return result;
}

SkinFileData ReadSkinFile(const wchar_t* relativeName, unsigned maxSize) {
  SkinFileData result;
  if (relativeName == nullptr) return result;
  const CUIString archiveName = CUIPaintManager::GetArchiveName();
  if (archiveName.IsEmpty()) {
    return ReadDiskFile((CUIPaintManager::GetResourcePath() + relativeName).GetData(), maxSize);
  }
  // Without the 7z switch the archive would be a zip file; that reader is not carried.
  std::unique_ptr<CSkinArchive> opened;
  const CSkinArchive* archive = nullptr;
  if (CUIPaintManager::IsArchiveCached()) {
    archive = CUIPaintManager::GetArchive();
  } else if (CUIPaintManager::Is7zFormat()) {
    opened = CSkinArchive::OpenFromFile((CUIPaintManager::GetResourcePath() + archiveName).GetData());
    archive = opened.get();
  }
  if (archive == nullptr) {
    result.status = SkinFileStatus::kArchiveOpenFailed;
    return result;
  }
  uint32_t index = 0;
  uint64_t size = 0;
  if (!archive->Find(relativeName, &index, &size)) {
    result.status = SkinFileStatus::kNotInArchive;
    return result;
  }
  const uint32_t usedSize = static_cast<uint32_t>(size);  // readers use the low 32 bits
  if (usedSize == 0) {
    result.status = SkinFileStatus::kEmpty;
    return result;
  }
  if (maxSize != 0 && usedSize > maxSize) {
    result.status = SkinFileStatus::kTooLarge;
    return result;
  }
  result.bytes.resize(usedSize);
  if (archive->CopyOut(index, result.bytes.data()) != 0) {
    result.bytes.clear();
    result.status = SkinFileStatus::kExtractFailed;
    return result;
  }
  result.status = SkinFileStatus::kOk;
  return result;
}

}  // namespace SkinUI
