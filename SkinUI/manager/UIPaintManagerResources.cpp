// Process-wide settings of the paint manager: where skin files come from,
// language strings and the global colour adjustment.
#include <map>

#include "SkinUI/archive/SkinArchive.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "installer/src/utils/DebugLog.h"

namespace SkinUI {
namespace {

constexpr wchar_t kMemoryArchiveName[] = L"membuffer";

struct ResourceSettings {
  HINSTANCE instance = nullptr;
  HINSTANCE resourceInstance = nullptr;
  CUIString resourcePath;
  CUIString archiveName;
  std::unique_ptr<CSkinArchive> archive;
  bool archiveCached = false;
  bool use7z = false;
};

ResourceSettings& Settings() {
  static ResourceSettings settings;
  return settings;
}

struct ColorAdjustment {
  bool use = false;
  short hue = 180;
  short saturation = 100;
  short lightness = 100;
};

ColorAdjustment& Adjustment() {
  static ColorAdjustment adjustment;
  return adjustment;
}

std::map<int, CUIString>& LanguageStrings() {
  static std::map<int, CUIString> strings;
  return strings;
}

std::unique_ptr<CSkinArchive> OpenArchive(const void* data, unsigned size) {
  if (!Settings().use7z) {
    DEBUG_LOG(L"zip skin archives are not supported");
    return nullptr;
  }
  return CSkinArchive::OpenFromMemory(data, size);
}

std::unique_ptr<CSkinArchive> OpenArchiveFile(const CUIString& path) {
  if (!Settings().use7z) {
    DEBUG_LOG(L"zip skin archives are not supported");
    return nullptr;
  }
  return CSkinArchive::OpenFromFile(path.GetData());
}

}  // namespace

void CUIPaintManager::SetInstance(HINSTANCE instance) { Settings().instance = instance; }

HINSTANCE CUIPaintManager::GetInstance() { return Settings().instance; }

CUIString CUIPaintManager::GetInstancePath() {
  if (Settings().instance == nullptr) return CUIString();
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(Settings().instance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return CUIString();
  wchar_t* lastSlash = std::wcsrchr(path, L'\\');
  if (lastSlash != nullptr) lastSlash[1] = L'\0';
  return CUIString(path);
}

void CUIPaintManager::SetResourceInstance(HINSTANCE instance) { Settings().resourceInstance = instance; }

HINSTANCE CUIPaintManager::GetResourceInstance() {
  return Settings().resourceInstance ? Settings().resourceInstance : Settings().instance;
}

void CUIPaintManager::SetResourcePath(const wchar_t* path) {
  CUIString& stored = Settings().resourcePath;
  stored = path;
  if (stored.IsEmpty()) return;
  const wchar_t last = stored.GetAt(stored.GetLength() - 1);
  if (last != L'\\' && last != L'/') stored += L'\\';
}

const CUIString& CUIPaintManager::GetResourcePath() { return Settings().resourcePath; }

void CUIPaintManager::SetArchiveFromMemory(const void* data, unsigned size) {
  ResourceSettings& settings = Settings();
  if (settings.archiveName == kMemoryArchiveName) return;  // the first one stays in use
  settings.archive.reset();
  settings.archiveName = kMemoryArchiveName;
  settings.archiveCached = true;
  settings.archive = OpenArchive(data, size);
  if (!settings.archive) DEBUG_LOG(L"the skin archive in memory cannot be opened (%u bytes)", size);
}

void CUIPaintManager::SetArchiveFile(const wchar_t* name, bool cached) {
  ResourceSettings& settings = Settings();
  if (settings.archiveName == name && settings.archiveCached == cached) return;
  settings.archive.reset();
  settings.archiveName = name;
  settings.archiveCached = cached;
  if (cached) {
    settings.archive = OpenArchiveFile(settings.resourcePath + settings.archiveName);
    if (!settings.archive) DEBUG_LOG(L"the skin archive %s cannot be opened", settings.archiveName.GetData());
  }
}

const CUIString& CUIPaintManager::GetArchiveName() { return Settings().archiveName; }

bool CUIPaintManager::IsArchiveCached() { return Settings().archiveCached; }

const CSkinArchive* CUIPaintManager::GetArchive() { return Settings().archive.get(); }

void CUIPaintManager::Set7zFormat(bool use7z) { Settings().use7z = use7z; }

bool CUIPaintManager::Is7zFormat() { return Settings().use7z; }

void CUIPaintManager::ResetResourceSettings() {
  ResourceSettings& settings = Settings();
  settings.archive.reset();
  settings.archiveName.Empty();
  settings.archiveCached = false;
  settings.resourcePath.Empty();
  settings.resourceInstance = nullptr;
}

void CUIPaintManager::SetLanguageString(int id, const wchar_t* text) { LanguageStrings()[id] = text; }

const wchar_t* CUIPaintManager::GetLanguageString(int id) {
  const auto found = LanguageStrings().find(id);
  return found == LanguageStrings().end() ? nullptr : found->second.GetData();
}

CUIString CUIPaintManager::ProcessLanguageTokens(const wchar_t* text) {
  CUIString result;
  if (text == nullptr) return result;
  const wchar_t* p = text;
  while (*p != L'\0') {
    if (p[0] == L'%' && p[1] == L'{' && p[2] >= L'0' && p[2] <= L'9') {
      const wchar_t* digits = p + 2;
      const wchar_t* end = digits;
      int id = 0;
      while (*end >= L'0' && *end <= L'9' && id < 100000000) id = id * 10 + (*end++ - L'0');
      if (*end == L'}') {
        const wchar_t* replacement = GetLanguageString(id);
        if (replacement != nullptr) {
          result += replacement;
          p = end + 1;
          continue;
        }
      }
    }
    result += *p++;
  }
  return result;
}

void CUIPaintManager::SetHSL(bool use, short hue, short saturation, short lightness) {
  Adjustment() = ColorAdjustment{use, hue, saturation, lightness};
}

bool CUIPaintManager::IsUseHSL() { return Adjustment().use; }

void CUIPaintManager::GetHSL(short* hue, short* saturation, short* lightness) {
  if (hue) *hue = Adjustment().hue;
  if (saturation) *saturation = Adjustment().saturation;
  if (lightness) *lightness = Adjustment().lightness;
}

}  // namespace SkinUI
