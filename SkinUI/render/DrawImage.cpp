// Nine-grid image drawing, image attribute strings and colour fills.
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/AlphaBlender.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

bool Meets(const RECT& a, const RECT& b) {
  RECT common;
  return ::IntersectRect(&common, &a, &b) != FALSE;
}

class CellPainter {
 public:
  CellPainter(HDC dest, HDC source, HBITMAP bitmap, const RECT& paint, bool blend, BYTE fade)
      : dest_(dest), source_(source), bitmap_(bitmap), paint_(paint), blend_(blend), fade_(fade) {}

  // Draws the whole cell when it meets the paint rectangle.
  void Draw(const RECT& to, const RECT& from) const {
    if (to.right <= to.left || to.bottom <= to.top || from.right <= from.left || from.bottom <= from.top) return;
    if (!Meets(to, paint_)) return;
    const int toWidth = to.right - to.left, toHeight = to.bottom - to.top;
    const int fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;
    if (blend_) {
      BlendCell(dest_, to, source_, bitmap_, from, fade_, true);
    } else if (toWidth == fromWidth && toHeight == fromHeight) {
      ::BitBlt(dest_, to.left, to.top, toWidth, toHeight, source_, from.left, from.top, SRCCOPY);
    } else {
      ::StretchBlt(dest_, to.left, to.top, toWidth, toHeight, source_, from.left, from.top, fromWidth, fromHeight,
                   SRCCOPY);
    }
  }

 private:
  HDC dest_;
  HDC source_;
  HBITMAP bitmap_;
  RECT paint_;
  bool blend_;
  BYTE fade_;
};

void DrawCentre(const CellPainter& painter, const RECT& to, const RECT& from, bool tiledX, bool tiledY) {
  const int width = from.right - from.left, height = from.bottom - from.top;
  if (width <= 0 || height <= 0) return;
  if (!tiledX && !tiledY) {
    painter.Draw(to, from);
  } else if (tiledY && !tiledX) {
    for (int y = to.top; y < to.bottom; y += height) {
      const int cut = y + height > to.bottom ? y + height - to.bottom : 0;
      painter.Draw(RECT{to.left, y, to.right, y + height - cut}, RECT{from.left, from.top, from.right, from.bottom - cut});
    }
  } else if (tiledX && !tiledY) {
    for (int x = to.left; x < to.right; x += width) {
      const int cut = x + width > to.right ? x + width - to.right : 0;
      painter.Draw(RECT{x, to.top, x + width - cut, to.bottom}, RECT{from.left, from.top, from.right - cut, from.bottom});
    }
  } else {
    for (int y = to.top; y < to.bottom; y += height) {
      const int cutY = y + height > to.bottom ? y + height - to.bottom : 0;
      for (int x = to.left; x < to.right; x += width) {
        const int cutX = x + width > to.right ? x + width - to.right : 0;
        painter.Draw(RECT{x, y, x + width - cutX, y + height - cutY},
                     RECT{from.left, from.top, from.right - cutX, from.bottom - cutY});
      }
    }
  }
}

}  // namespace

bool CUIRender::HasSystemAlphaBlend() { return SystemAlphaBlendAvailable(); }

void CUIRender::UseSystemAlphaBlend(bool use) { SetSystemAlphaBlendEnabled(use); }

void CUIRender::DrawImage(HDC dc, HBITMAP bitmap, const RECT& d, const RECT& paint, const RECT& s,
                          const RECT& c, bool hasAlpha, BYTE fade, bool hole, bool tiledX, bool tiledY) {
  if (dc == nullptr || bitmap == nullptr) return;
  UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  if (!memory) return;
  SelectedObject selected(memory.get(), bitmap);
  const bool blend = hasAlpha || fade < 255;
  const int destWidth = d.right - d.left, destHeight = d.bottom - d.top;
  if (!blend && destWidth == s.right - s.left && destHeight == s.bottom - s.top && c.left == 0 && c.top == 0 &&
      c.right == 0 && c.bottom == 0) {
    RECT part;
    if (::IntersectRect(&part, &d, &paint)) {
      ::BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, memory.get(),
               s.left + part.left - d.left, s.top + part.top - d.top, SRCCOPY);
    }
    return;
  }
  const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
  CellPainter painter(dc, memory.get(), bitmap, paint, blend, fade);
  if (!hole) {
    DrawCentre(painter, RECT{d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom},
               RECT{s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom}, tiledX, tiledY);
  }
  if (c.left > 0 && c.top > 0) {
    painter.Draw(RECT{d.left, d.top, d.left + c.left, d.top + c.top}, RECT{s.left, s.top, s.left + c.left, s.top + c.top});
  }
  if (c.right > 0 && c.top > 0) {
    painter.Draw(RECT{d.right - c.right, d.top, d.right, d.top + c.top},
                 RECT{s.right - c.right, s.top, s.right, s.top + c.top});
  }
  if (c.left > 0 && c.bottom > 0) {
    painter.Draw(RECT{d.left, d.bottom - c.bottom, d.left + c.left, d.bottom},
                 RECT{s.left, s.bottom - c.bottom, s.left + c.left, s.bottom});
  }
  if (c.right > 0 && c.bottom > 0) {
    painter.Draw(RECT{d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
                 RECT{s.right - c.right, s.bottom - c.bottom, s.right, s.bottom});
  }
  if (c.top > 0) {
    painter.Draw(RECT{d.left + c.left, d.top, d.right - c.right, d.top + c.top},
                 RECT{s.left + c.left, s.top, s.right - c.right, s.top + c.top});
  }
  if (c.bottom > 0) {
    painter.Draw(RECT{d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom},
                 RECT{s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom});
  }
  if (c.left > 0) {
    painter.Draw(RECT{d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom},
                 RECT{s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom});
  }
  if (c.right > 0) {
    painter.Draw(RECT{d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom},
                 RECT{s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom});
  }
  ::SetStretchBltMode(dc, oldMode);
}

bool CUIRender::DrawImageString(HDC dc, CUIPaintManager* manager, const RECT& item, const RECT& paint,
                                DrawInfo& info) {
  if (info.attribute.IsEmpty()) return true;
  if (!info.attempted) {
    info.attempted = true;
    ParseImageAttribute(info);
    if (manager != nullptr && !info.imageName.IsEmpty()) {
      info.image = manager->GetOrLoadImage(info.imageName,
                                           info.resourceType.IsEmpty() ? nullptr : info.resourceType.GetData(),
                                           info.mask, info.hsl);
    }
    if (info.image != nullptr && ::IsRectEmpty(&info.source)) {
      info.source = RECT{0, 0, info.image->width, info.image->height};
    }
  }
  if (info.image == nullptr) return false;

  RECT source = info.source;
  if (source.right > info.image->width) source.right = info.image->width;
  if (source.bottom > info.image->height) source.bottom = info.image->height;
  RECT dest = item;
  const RECT& offset = info.dest;
  if (offset.left != 0 || offset.top != 0 || offset.right != 0 || offset.bottom != 0) {
    dest.left = item.left + offset.left;
    dest.top = item.top + offset.top;
    dest.right = item.left + offset.right < item.right ? item.left + offset.right : item.right;
    dest.bottom = item.top + offset.bottom < item.bottom ? item.top + offset.bottom : item.bottom;
  }
  if (!Meets(dest, item) || !Meets(dest, paint)) return true;
  DrawImage(dc, info.image->bitmap.get(), dest, paint, source, info.corner, info.image->hasAlpha, info.fade,
            info.hole, info.tiledX, info.tiledY);
  return true;
}

void CUIRender::DrawColor(HDC dc, const RECT& rect, DWORD color) {
  const BYTE alpha = static_cast<BYTE>(color >> 24);
  if (dc == nullptr || alpha == 0) return;
  if (alpha == 0xFF) {
    const COLORREF solid = RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
    const COLORREF old = ::SetBkColor(dc, solid);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
    return;
  }
  // One premultiplied pixel stretched over the rectangle.
  BYTE* bits = nullptr;
  UniqueBitmap pixel(CreateARGB32Bitmap(dc, 1, 1, &bits));
  if (!pixel) return;
  const BYTE rgba[4] = {static_cast<BYTE>(color >> 16), static_cast<BYTE>(color >> 8), static_cast<BYTE>(color),
                        alpha};
  PremultiplyPixels(rgba, 1, 0, bits);
  DrawImage(dc, pixel.get(), rect, rect, RECT{0, 0, 1, 1}, RECT{0, 0, 0, 0}, true, 255);
}

}  // namespace SkinUI
