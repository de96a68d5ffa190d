#pragma once
// One decoded image: a 32-bit top-down bitmap whose pixels are blue, green,
// red, alpha with the colours premultiplied by alpha.
#include <windows.h>

#include <vector>

#include "SkinUI/core/UIString.h"
#include "SkinUI/render/GdiResources.h"

namespace SkinUI {

struct ImageInfo {
  UniqueBitmap bitmap;
  BYTE* pixels = nullptr;            // the bitmap's own memory
  std::vector<BYTE> pixelCopy;       // untouched pixels, only when kept for HSL
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  bool keepCopy = false;
  CUIString resourceType;
  DWORD colorKey = 0;
};

}  // namespace SkinUI
