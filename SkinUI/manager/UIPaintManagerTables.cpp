// The paint manager's resource tables: fonts, images, default attribute lists
// and custom window attributes, each per window and shared by the process.
#include <cwchar>

#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

struct SharedTables {
  CUIStringMap fonts;        // FontInfo*, owned
  CUIStringMap images;       // ImageInfo*, owned
  CUIStringMap tagDefaults;  // CUIString*, owned
  std::unique_ptr<FontInfo> defaultFont;
};

SharedTables& Shared() {
  static SharedTables tables;
  return tables;
}

CUIString FontKey(int id) {
  CUIString key;
  key.Format(L"%d", id);
  return key;
}

template <typename T>
void DeleteAll(CUIStringMap& map) {
  for (int i = 0; i < map.GetSize(); ++i) delete static_cast<T*>(map.Find(map.GetAt(i), false));
  map.RemoveAll();
}

template <typename T>
void Replace(CUIStringMap& map, const wchar_t* key, T* value) {
  delete static_cast<T*>(map.Set(key, value));
}

// The process-wide defaults the first manager sets.
struct DefaultColors {
  DWORD disabled = 0xFFA7A6AA, font = 0xFF000000, link = 0xFF0000FF, linkHover = 0xFFD3215F,
        selected = 0xFFBAE4FF;
};

}  // namespace

CUIPaintManager::CUIPaintManager() {
  static const DefaultColors colors;
  disabledColor_ = colors.disabled;
  fontColor_ = colors.font;
  linkColor_ = colors.link;
  linkHoverColor_ = colors.linkHover;
  selectedColor_ = colors.selected;
}

std::unique_ptr<FontInfo> CUIPaintManager::CreateFontInfo(HDC dc, const wchar_t* face, int size, bool bold,
                                                          bool underline, bool italic) {
  LOGFONTW description = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  if (face != nullptr && *face != L'\0') ::lstrcpynW(description.lfFaceName, face, LF_FACESIZE);
  description.lfCharSet = DEFAULT_CHARSET;
  if (size > 0) description.lfHeight = -size;
  if (bold) description.lfWeight += FW_BOLD;
  if (underline) description.lfUnderline = TRUE;
  if (italic) description.lfItalic = TRUE;
  auto info = std::make_unique<FontInfo>();
  info->font.reset(::CreateFontIndirectW(&description));
  if (!info->font) return nullptr;
  info->faceName = description.lfFaceName;
  info->size = size > 0 ? size : -description.lfHeight;
  info->bold = bold;
  info->underline = underline;
  info->italic = italic;
  if (dc != nullptr) {
    SelectedObject selected(dc, info->font.get());
    ::GetTextMetricsW(dc, &info->metrics);
  }
  return info;
}

HFONT CUIPaintManager::AddFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic,
                               bool shared) {
  if (id < 0) return nullptr;
  std::unique_ptr<FontInfo> info = CreateFontInfo(paintDc_, face, size, bold, underline, italic);
  if (!info) return nullptr;
  HFONT font = info->font.get();
  CUIStringMap& table = (shared || sharedResources_) ? Shared().fonts : fonts_;
  Replace(table, FontKey(id), info.release());
  return font;
}

const FontInfo* CUIPaintManager::GetFontInfo(int id) const {
  if (id < 0) return nullptr;
  const CUIString key = FontKey(id);
  if (auto* info = static_cast<const FontInfo*>(fonts_.Find(key))) return info;
  return static_cast<const FontInfo*>(Shared().fonts.Find(key));
}

HFONT CUIPaintManager::GetFont(int id) const {
  const FontInfo* info = GetFontInfo(id);
  return info ? info->font.get() : nullptr;
}

const FontInfo* CUIPaintManager::GetFontInfo(HFONT font) const {
  const CUIStringMap* tables[] = {&fonts_, &Shared().fonts};
  for (const CUIStringMap* table : tables) {
    for (int i = 0; i < table->GetSize(); ++i) {
      auto* info = static_cast<const FontInfo*>(table->Find(table->GetAt(i), false));
      if (info != nullptr && info->font.get() == font) return info;
    }
  }
  if (defaultFont_ && defaultFont_->font.get() == font) return defaultFont_.get();
  return nullptr;
}

void CUIPaintManager::SetDefaultFont(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                                     bool shared) {
  std::unique_ptr<FontInfo> info = CreateFontInfo(paintDc_, face, size, bold, underline, italic);
  if (!info) return;
  if (shared || sharedResources_) {
    Shared().defaultFont = std::move(info);
  } else {
    defaultFont_ = std::move(info);
  }
}

const FontInfo* CUIPaintManager::GetDefaultFontInfo() {
  if (defaultFont_) return defaultFont_.get();
  if (Shared().defaultFont) return Shared().defaultFont.get();
  // Built once from the system's default GUI font.
  defaultFont_ = CreateFontInfo(paintDc_, nullptr, 0, false, false, false);
  return defaultFont_.get();
}

const ImageInfo* CUIPaintManager::AddImage(const wchar_t* name, const wchar_t* type, DWORD mask, bool keepCopy,
                                           bool shared) {
  if (name == nullptr || *name == L'\0') return nullptr;
  std::unique_ptr<ImageInfo> image = CUIRender::LoadImage(name, type, mask);
  if (!image) return nullptr;
  image->keepCopy = keepCopy;
  if (keepCopy) {
    const size_t bytes = static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 4;
    image->pixelCopy.assign(image->pixels, image->pixels + bytes);
    if (IsUseHSL()) {
      short hue, saturation, lightness;
      GetHSL(&hue, &saturation, &lightness);
      CUIRender::AdjustImage(true, image.get(), hue, saturation, lightness);
    }
  }
  const ImageInfo* stored = image.get();
  Replace(shared || sharedResources_ ? Shared().images : images_, name, image.release());
  return stored;
}

const ImageInfo* CUIPaintManager::GetImage(const wchar_t* name) const {
  if (name == nullptr) return nullptr;
  if (auto* image = static_cast<const ImageInfo*>(images_.Find(name))) return image;
  return static_cast<const ImageInfo*>(Shared().images.Find(name));
}

const ImageInfo* CUIPaintManager::GetOrLoadImage(const wchar_t* name, const wchar_t* type, DWORD mask,
                                                 bool keepCopy) {
  if (const ImageInfo* cached = GetImage(name)) return cached;
  return AddImage(name, type, mask, keepCopy, false);
}

bool CUIPaintManager::RemoveImage(const wchar_t* name, bool shared) {
  CUIStringMap& table = shared ? Shared().images : images_;
  auto* image = static_cast<ImageInfo*>(table.Find(name, false));
  if (image == nullptr) return false;
  table.Remove(name);
  delete image;
  return true;
}

void CUIPaintManager::SetTagDefaults(const wchar_t* tag, const wchar_t* list, bool shared) {
  if (tag == nullptr || *tag == L'\0') return;
  Replace(shared || sharedResources_ ? Shared().tagDefaults : tagDefaults_, tag, new CUIString(list));
}

const wchar_t* CUIPaintManager::GetTagDefaults(const wchar_t* tag) const {
  if (tag == nullptr) return nullptr;
  auto* list = static_cast<const CUIString*>(tagDefaults_.Find(tag));
  if (list == nullptr) list = static_cast<const CUIString*>(Shared().tagDefaults.Find(tag));
  return list ? list->GetData() : nullptr;
}

void CUIPaintManager::AddWindowCustomAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || *name == L'\0' || value == nullptr) return;
  if (windowCustomAttributes_.Contains(name)) return;
  windowCustomAttributes_.Insert(name, new CUIString(value));
}

const wchar_t* CUIPaintManager::GetWindowCustomAttribute(const wchar_t* name) const {
  auto* value = static_cast<const CUIString*>(windowCustomAttributes_.Find(name));
  return value ? value->GetData() : nullptr;
}

void CUIPaintManager::ReleaseTables() {
  DeleteAll<FontInfo>(fonts_);
  DeleteAll<ImageInfo>(images_);
  DeleteAll<CUIString>(tagDefaults_);
  DeleteAll<CUIString>(windowCustomAttributes_);
}

}  // namespace SkinUI
