#include "SkinUI/render/AlphaBlender.h"

#include "installer/src/utils/UniqueResource.h"

namespace SkinUI {
namespace {

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

struct Msimg32 {
  Utils::UniqueModule module;
  AlphaBlendFunction alphaBlend = nullptr;
  GradientFillFunction gradientFill = nullptr;
  bool enabled = true;

  Msimg32() : module(::LoadLibraryW(L"msimg32.dll")) {
    if (!module) return;
    alphaBlend = reinterpret_cast<AlphaBlendFunction>(
        reinterpret_cast<void*>(::GetProcAddress(module.get(), "AlphaBlend")));
    gradientFill = reinterpret_cast<GradientFillFunction>(
        reinterpret_cast<void*>(::GetProcAddress(module.get(), "GradientFill")));
  }
};

Msimg32& Library() {
  static Msimg32 library;
  return library;
}

// The pixel memory of a 32-bit top-down DIB section.
struct Pixels {
  BYTE* bits = nullptr;
  int width = 0;
  int height = 0;
  bool topDown = false;

  DWORD* Row(int y) const {
    const int row = topDown ? y : height - 1 - y;
    return reinterpret_cast<DWORD*>(bits + static_cast<size_t>(row) * static_cast<size_t>(width) * 4);
  }
};

bool GetPixels(HBITMAP bitmap, Pixels* pixels) {
  DIBSECTION section = {};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) return false;
  if (section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == nullptr) return false;
  pixels->bits = static_cast<BYTE*>(section.dsBm.bmBits);
  pixels->width = section.dsBm.bmWidth;
  pixels->height = section.dsBm.bmHeight;
  // GetObject reports the height of top-down sections as positive, so the
  // orientation cannot be read back; every 32-bit bitmap this framework
  // blends (images, off-screen buffers) is made top-down by CreateARGB32Bitmap.
  pixels->topDown = true;
  return true;
}

}  // namespace

bool SystemAlphaBlendAvailable() { return Library().alphaBlend != nullptr && Library().enabled; }

void SetSystemAlphaBlendEnabled(bool enabled) { Library().enabled = enabled; }

GradientFillFunction SystemGradientFill() { return Library().enabled ? Library().gradientFill : nullptr; }

bool SoftwareBlendCell(HDC dest, const RECT& to, HBITMAP source, const RECT& from, BYTE fade, bool sourceAlpha) {
  Pixels target, image;
  if (!GetPixels(static_cast<HBITMAP>(::GetCurrentObject(dest, OBJ_BITMAP)), &target) ||
      !GetPixels(source, &image)) {
    return false;
  }
  const int toWidth = to.right - to.left, toHeight = to.bottom - to.top;
  const int fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;
  if (toWidth <= 0 || toHeight <= 0 || fromWidth <= 0 || fromHeight <= 0) return true;
  POINT origin = {0, 0};
  ::GetViewportOrgEx(dest, &origin);
  RECT clip = {0, 0, target.width, target.height};
  RECT clipBox;
  if (::GetClipBox(dest, &clipBox) != ERROR) ::IntersectRect(&clip, &clip, &clipBox);
  for (int y = 0; y < toHeight; ++y) {
    const int ty = to.top + y + origin.y;
    if (ty < clip.top || ty >= clip.bottom) continue;
    const int sy = from.top + y * fromHeight / toHeight;
    if (sy < 0 || sy >= image.height) continue;
    DWORD* targetRow = target.Row(ty);
    const DWORD* sourceRow = image.Row(sy);
    for (int x = 0; x < toWidth; ++x) {
      const int tx = to.left + x + origin.x;
      if (tx < clip.left || tx >= clip.right) continue;
      const int sx = from.left + x * fromWidth / toWidth;
      if (sx < 0 || sx >= image.width) continue;
      const DWORD s = sourceRow[sx];
      const DWORD d = targetRow[tx];
      // Every source channel scaled by fade; the destination by 1 - (source alpha × fade).
      const unsigned alpha = sourceAlpha ? ((s >> 24) * fade + 127) / 255 : fade;
      DWORD out = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const unsigned sc = ((s >> shift) & 0xFF) * fade / 255;
        const unsigned dc = (d >> shift) & 0xFF;
        const unsigned value = (shift == 24 && !sourceAlpha ? (alpha) : sc) + dc * (255 - alpha) / 255;
        out |= static_cast<DWORD>(value > 255 ? 255 : value) << shift;
      }
      targetRow[tx] = out;
    }
  }
  return true;
}

bool BlendCell(HDC dest, const RECT& to, HDC sourceDc, HBITMAP source, const RECT& from, BYTE fade,
               bool sourceAlpha) {
  if (SystemAlphaBlendAvailable()) {
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, fade, static_cast<BYTE>(sourceAlpha ? AC_SRC_ALPHA : 0)};
    if (Library().alphaBlend(dest, to.left, to.top, to.right - to.left, to.bottom - to.top, sourceDc, from.left,
                             from.top, from.right - from.left, from.bottom - from.top, blend)) {
      return true;
    }
  }
  return SoftwareBlendCell(dest, to, source, from, fade, sourceAlpha);
}

}  // namespace SkinUI
