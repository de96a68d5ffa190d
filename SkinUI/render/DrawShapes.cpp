// Gradients, lines, outlines and clips.
#include "SkinUI/render/AlphaBlender.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

COLORREF ToColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

int BandCount(int steps) {
  if (steps < 4) return 2;
  if (steps < 8) return 4;
  if (steps < 16) return 8;
  if (steps < 32) return 16;
  if (steps < 64) return 32;
  return 64;
}

BYTE Mix(DWORD a, DWORD b, int shift, int index, int count) {
  const int from = static_cast<int>((a >> shift) & 0xFF), to = static_cast<int>((b >> shift) & 0xFF);
  return static_cast<BYTE>(from + (to - from) * index / count);
}

// Opaque gradient of the colours' red, green and blue over rect.
void FillGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps) {
  if (GradientFillFunction gradientFill = SystemGradientFill()) {
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, static_cast<COLOR16>(((first >> 16) & 0xFF) << 8),
         static_cast<COLOR16>(((first >> 8) & 0xFF) << 8), static_cast<COLOR16>((first & 0xFF) << 8), 0xFF00},
        {rect.right, rect.bottom, static_cast<COLOR16>(((second >> 16) & 0xFF) << 8),
         static_cast<COLOR16>(((second >> 8) & 0xFF) << 8), static_cast<COLOR16>((second & 0xFF) << 8), 0xFF00}};
    GRADIENT_RECT mesh = {0, 1};
    if (gradientFill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H)) return;
  }
  const int bands = BandCount(steps);
  const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  for (int i = 0; i < bands; ++i) {
    RECT band = rect;
    if (vertical) {
      band.top = rect.top + length * i / bands;
      band.bottom = rect.top + length * (i + 1) / bands;
    } else {
      band.left = rect.left + length * i / bands;
      band.right = rect.left + length * (i + 1) / bands;
    }
    const COLORREF color = RGB(Mix(first, second, 16, i, bands - 1 > 0 ? bands - 1 : 1),
                               Mix(first, second, 8, i, bands - 1 > 0 ? bands - 1 : 1),
                               Mix(first, second, 0, i, bands - 1 > 0 ? bands - 1 : 1));
    const COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
  }
}

void OutlineWithPen(HDC dc, int width, DWORD color, int style, const RECT& rect, int ellipseWidth,
                    int ellipseHeight, bool round) {
  UniqueGdiObject pen(::CreatePen(style | PS_INSIDEFRAME, width, ToColorRef(color)));
  if (!pen) return;
  SelectedObject selectedPen(dc, pen.get());
  SelectedObject selectedBrush(dc, ::GetStockObject(HOLLOW_BRUSH));
  if (round) {
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth, ellipseHeight);
  } else {
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
}

}  // namespace

void CUIRender::DrawGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps) {
  const unsigned alpha = ((first >> 24) + (second >> 24)) / 2;
  if (dc == nullptr || alpha == 0 || ::IsRectEmpty(&rect)) return;
  if (alpha == 255) {
    FillGradient(dc, rect, first, second, vertical, steps);
    return;
  }
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  BYTE* bits = nullptr;
  UniqueBitmap bitmap(CreateARGB32Bitmap(dc, width, height, &bits));
  if (!memory || !bitmap) return;
  SelectedObject selected(memory.get(), bitmap.get());
  FillGradient(memory.get(), RECT{0, 0, width, height}, first, second, vertical, steps);
  BlendCell(dc, rect, memory.get(), bitmap.get(), RECT{0, 0, width, height}, static_cast<BYTE>(alpha), false);
}

void CUIRender::DrawLine(HDC dc, const RECT& rect, int width, DWORD color, int style) {
  if (dc == nullptr) return;
  UniqueGdiObject pen(::CreatePen(style, width, ToColorRef(color)));
  if (!pen) return;
  SelectedObject selected(dc, pen.get());
  POINT previous;
  ::MoveToEx(dc, rect.left, rect.top, &previous);
  ::LineTo(dc, rect.right, rect.bottom);
  ::MoveToEx(dc, previous.x, previous.y, nullptr);
}

void CUIRender::DrawRect(HDC dc, const RECT& rect, int width, DWORD color, int style) {
  if (dc == nullptr) return;
  OutlineWithPen(dc, width, color, style, rect, 0, 0, false);
}

void CUIRender::DrawRoundRect(HDC dc, const RECT& rect, int width, int ellipseWidth, int ellipseHeight,
                              DWORD color, int style) {
  if (dc == nullptr) return;
  OutlineWithPen(dc, width, color, style, rect, ellipseWidth, ellipseHeight, true);
}

CRenderClip::CRenderClip(HDC dc, const RECT& rect) : dc_(dc) {
  previous_ = ::CreateRectRgn(0, 0, 0, 0);
  hadClip_ = previous_ != nullptr && ::GetClipRgn(dc, previous_) == 1;
  UniqueRegion region(::CreateRectRgnIndirect(&rect));
  if (region) ::ExtSelectClipRgn(dc, region.get(), RGN_AND);
}

CRenderClip::CRenderClip(HDC dc, const RECT& paint, const RECT& item, int ellipseWidth, int ellipseHeight)
    : dc_(dc) {
  previous_ = ::CreateRectRgn(0, 0, 0, 0);
  hadClip_ = previous_ != nullptr && ::GetClipRgn(dc, previous_) == 1;
  UniqueRegion paintRegion(::CreateRectRgnIndirect(&paint));
  UniqueRegion roundRegion(
      ::CreateRoundRectRgn(item.left, item.top, item.right + 1, item.bottom + 1, ellipseWidth, ellipseHeight));
  if (paintRegion && roundRegion) {
    ::CombineRgn(roundRegion.get(), roundRegion.get(), paintRegion.get(), RGN_AND);
    ::ExtSelectClipRgn(dc, roundRegion.get(), RGN_AND);
  }
}

CRenderClip::~CRenderClip() {
  ::SelectClipRgn(dc_, hadClip_ ? previous_ : nullptr);
  if (previous_ != nullptr) ::DeleteObject(previous_);
}

}  // namespace SkinUI
