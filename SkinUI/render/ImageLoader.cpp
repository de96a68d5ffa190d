// Decoding skin images into premultiplied 32-bit bitmaps.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include <cstring>

#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/markup/SkinFileReader.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"
#include "installer/src/utils/DebugLog.h"

namespace SkinUI {
namespace {

struct StbPixelsDeleter {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

std::vector<unsigned char> ReadResourceBytes(const wchar_t* nameOrId, const wchar_t* type) {
  std::vector<unsigned char> bytes;
  HINSTANCE module = CUIPaintManager::GetResourceInstance();
  HRSRC resource = ::FindResourceW(module, nameOrId, type);
  if (resource == nullptr) return bytes;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const DWORD size = ::SizeofResource(module, resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (data == nullptr || size == 0) return bytes;
  const auto* begin = static_cast<const unsigned char*>(data);
  bytes.assign(begin, begin + size);
  return bytes;
}

std::vector<unsigned char> ReadImageBytes(const wchar_t* nameOrId, const wchar_t* type) {
  if (type != nullptr && *type != L'\0') return ReadResourceBytes(nameOrId, type);
  if (IS_INTRESOURCE(nameOrId)) return {};
  SkinFileData file = ReadSkinFile(nameOrId);
  if (file.status != SkinFileStatus::kOk) file = ReadDiskFile(nameOrId);
  return file.status == SkinFileStatus::kOk ? std::move(file.bytes) : std::vector<unsigned char>();
}

std::unique_ptr<ImageInfo> MakeImage(int width, int height) {
  auto image = std::make_unique<ImageInfo>();
  image->bitmap.reset(CUIRender::CreateARGB32Bitmap(nullptr, width, height, &image->pixels));
  if (!image->bitmap) return nullptr;
  image->width = width;
  image->height = height;
  return image;
}

BYTE Premultiply(BYTE channel, BYTE alpha) { return static_cast<BYTE>(channel * alpha / 255); }

}  // namespace

HBITMAP CUIRender::CreateARGB32Bitmap(HDC dc, int width, int height, BYTE** bits) {
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  if (bits) *bits = static_cast<BYTE*>(memory);
  return bitmap;
}

bool CUIRender::PremultiplyPixels(const BYTE* rgba, size_t count, DWORD mask, BYTE* bgra) {
  bool hasAlpha = false;
  for (size_t i = 0; i < count; ++i) {
    const BYTE* in = rgba + 4 * i;
    BYTE* out = bgra + 4 * i;
    const BYTE alpha = in[3];
    out[3] = alpha;
    if (alpha == 255) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    } else {
      out[0] = Premultiply(in[2], alpha);
      out[1] = Premultiply(in[1], alpha);
      out[2] = Premultiply(in[0], alpha);
      hasAlpha = true;
    }
    DWORD value;
    std::memcpy(&value, out, 4);  // little-endian B,G,R,A reads as 0xAARRGGBB
    if (value == mask) {
      std::memset(out, 0, 4);
      hasAlpha = true;
    }
  }
  return hasAlpha;
}

std::unique_ptr<ImageInfo> CUIRender::LoadImage(const wchar_t* nameOrId, const wchar_t* type, DWORD mask) {
  if (nameOrId == nullptr) return nullptr;
  if (type != nullptr && std::wcscmp(type, L"*COLOR*") == 0) {
    auto image = MakeImage(1, 1);
    if (!image) return nullptr;
    const DWORD color = ParseColorText(nameOrId);
    const BYTE rgba[4] = {static_cast<BYTE>(color >> 16), static_cast<BYTE>(color >> 8), static_cast<BYTE>(color),
                          static_cast<BYTE>(color >> 24)};
    image->hasAlpha = PremultiplyPixels(rgba, 1, mask, image->pixels);
    image->resourceType = type;
    image->colorKey = mask;
    return image;
  }
  const std::vector<unsigned char> bytes = ReadImageBytes(nameOrId, type);
  if (bytes.empty()) {
    if (!IS_INTRESOURCE(nameOrId)) DEBUG_LOG(L"image %s not found", nameOrId);
    return nullptr;
  }
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, StbPixelsDeleter> rgba(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4));
  if (!rgba) {
    DEBUG_LOG(L"image %s cannot be decoded", IS_INTRESOURCE(nameOrId) ? L"(id)" : nameOrId);
    return nullptr;
  }
  auto image = MakeImage(width, height);
  if (!image) return nullptr;
  image->hasAlpha =
      PremultiplyPixels(rgba.get(), static_cast<size_t>(width) * static_cast<size_t>(height), mask, image->pixels);
  if (type) image->resourceType = type;
  image->colorKey = mask;
  return image;
}

void CUIRender::AdjustImage(bool useHSL, ImageInfo* image, short hue, short saturation, short lightness) {
  if (image == nullptr || !image->keepCopy || image->pixelCopy.empty()) return;
  const size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  for (size_t i = 0; i < count; ++i) {
    const BYTE* in = image->pixelCopy.data() + 4 * i;
    BYTE* out = image->pixels + 4 * i;
    DWORD color;
    std::memcpy(&color, in, 4);  // B,G,R,A reads as 0xAARRGGBB
    if (useHSL) color = AdjustColor(color, hue, saturation, lightness);
    std::memcpy(out, &color, 4);
  }
}

}  // namespace SkinUI
