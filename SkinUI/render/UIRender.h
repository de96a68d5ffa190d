#pragma once
// Drawing functions used by the controls to paint into a window's off-screen
// bitmap: image loading and nine-grid drawing, colours, gradients, lines,
// outlines, clips, text, and hue/saturation/lightness adjustment.
#include <windows.h>

#include <memory>

#include "SkinUI/render/DrawInfo.h"
#include "SkinUI/render/ImageInfo.h"

namespace SkinUI {

class CUIPaintManager;

// Text format flags (the system's DrawText flags).
enum : UINT {
  DT_STYLE_LEFT = 0x0,
  DT_STYLE_CENTER = 0x1,
  DT_STYLE_RIGHT = 0x2,
  DT_STYLE_VCENTER = 0x4,
  DT_STYLE_BOTTOM = 0x8,
  DT_STYLE_WORDBREAK = 0x10,
  DT_STYLE_SINGLELINE = 0x20,
};

class CUIRender {
 public:
  // Colour images use the resource type "*COLOR*" with the colour text as name.
  static std::unique_ptr<ImageInfo> LoadImage(const wchar_t* nameOrId, const wchar_t* type = nullptr,
                                              DWORD mask = 0);
  // Premultiplies RGBA pixels into BGRA; a result equal to mask (as 0xAARRGGBB)
  // becomes transparent. Returns whether any pixel is not opaque or was keyed out.
  static bool PremultiplyPixels(const BYTE* rgba, size_t count, DWORD mask, BYTE* bgra);
  // A 32-bit top-down DIB section; *bits gets its pixel memory.
  static HBITMAP CreateARGB32Bitmap(HDC dc, int width, int height, BYTE** bits);
  // Recomputes an image's pixels from its kept copy with the given adjustment.
  static void AdjustImage(bool useHSL, ImageInfo* image, short hue, short saturation, short lightness);

  static bool DrawImageString(HDC dc, CUIPaintManager* manager, const RECT& item, const RECT& paint,
                              DrawInfo& info);
  static void DrawImage(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                        const RECT& corner, bool hasAlpha, BYTE fade = 255, bool hole = false,
                        bool tiledX = false, bool tiledY = false);

  static void DrawColor(HDC dc, const RECT& rect, DWORD color);
  static void DrawGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps);
  static void DrawLine(HDC dc, const RECT& rect, int width, DWORD color, int style = PS_SOLID);
  static void DrawRect(HDC dc, const RECT& rect, int width, DWORD color, int style = PS_SOLID);
  static void DrawRoundRect(HDC dc, const RECT& rect, int width, int ellipseWidth, int ellipseHeight,
                            DWORD color, int style = PS_SOLID);

  static void DrawText(HDC dc, CUIPaintManager* manager, RECT& rect, const wchar_t* text, DWORD color,
                       int font, UINT style);
  static SIZE GetTextSize(HDC dc, CUIPaintManager* manager, const wchar_t* text, int font, UINT style);

  static DWORD AdjustColor(DWORD color, short hue, short saturation, short lightness);

  // Whether msimg32's AlphaBlend is used (false: the software blend).
  static bool HasSystemAlphaBlend();
  static void UseSystemAlphaBlend(bool use);
};

// Narrows the clip of a device context for its lifetime and then restores it.
class CRenderClip {
 public:
  // Rectangular clip.
  CRenderClip(HDC dc, const RECT& rect);
  // Paint rectangle ∩ the rounded rectangle over the item rectangle.
  CRenderClip(HDC dc, const RECT& paint, const RECT& item, int ellipseWidth, int ellipseHeight);
  ~CRenderClip();
  CRenderClip(const CRenderClip&) = delete;
  CRenderClip& operator=(const CRenderClip&) = delete;

 private:
  HDC dc_;
  HRGN previous_ = nullptr;
  bool hadClip_ = false;
};

}  // namespace SkinUI
