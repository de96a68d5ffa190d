// The control's paint pipeline: background colours and gradients,
// background image, state image, text and border.
#include "SkinUI/control/ControlUI.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {

bool CControlUI::Paint(HDC dc, const RECT& dirty, CControlUI* stop) {
  if (stop == this) return false;
  if (!::IntersectRect(&paint_, &dirty, &item_)) return true;
  if (!OnPaint(this)) return true;
  if (!PaintContent(dc, dirty, stop)) return false;
  if (cover_ != nullptr) return cover_->Paint(dc, dirty, nullptr);
  return true;
}

bool CControlUI::PaintContent(HDC dc, const RECT& /*dirty*/, CControlUI* /*stop*/) {
  const bool round = borderRound_.cx > 0 || borderRound_.cy > 0;
  if (round) {
    CRenderClip clip(dc, paint_, item_, borderRound_.cx, borderRound_.cy);
    PaintBackColor(dc);
    PaintBackImage(dc);
    PaintStateImage(dc);
    PaintText(dc);
    PaintBorder(dc);
  } else {
    PaintBackColor(dc);
    PaintBackImage(dc);
    PaintStateImage(dc);
    PaintText(dc);
    PaintBorder(dc);
  }
  return true;
}

void CControlUI::PaintBackColor(HDC dc) {
  if (bkColor_ == 0) return;
  if (bkColor2_ != 0 && bkColor3_ != 0) {
    RECT upper = item_;
    upper.bottom = (item_.top + item_.bottom) / 2;
    CUIRender::DrawGradient(dc, upper, AdjustColor(bkColor_), AdjustColor(bkColor2_), true, 8);
    RECT lower = item_;
    lower.top = upper.bottom;
    CUIRender::DrawGradient(dc, lower, AdjustColor(bkColor2_), AdjustColor(bkColor3_), true, 8);
  } else if (bkColor2_ != 0) {
    CUIRender::DrawGradient(dc, item_, AdjustColor(bkColor_), AdjustColor(bkColor2_), true, 16);
  } else if ((bkColor_ >> 24) == 0xFF) {
    CUIRender::DrawColor(dc, paint_, AdjustColor(bkColor_));
  } else {
    // Translucent colours cover the whole item so repeated partial paints blend alike.
    CUIRender::DrawColor(dc, item_, AdjustColor(bkColor_));
  }
}

void CControlUI::PaintBackImage(HDC dc) {
  if (bkImage_.attribute.IsEmpty()) return;
  CUIRender::DrawImageString(dc, manager_, item_, paint_, bkImage_);
}

void CControlUI::PaintStateImage(HDC /*dc*/) {}

void CControlUI::PaintText(HDC /*dc*/) {}

void CControlUI::PaintBorder(HDC dc) {
  const RECT& b = borderSize_;
  if (b.left <= 0 && b.top <= 0 && b.right <= 0 && b.bottom <= 0) return;
  if (borderColor_ == 0 && focusBorderColor_ == 0) return;
  const DWORD color = AdjustColor(focused_ && focusBorderColor_ != 0 ? focusBorderColor_ : borderColor_);
  if (borderRound_.cx > 0 || borderRound_.cy > 0) {
    CUIRender::DrawRoundRect(dc, item_, b.left, borderRound_.cx, borderRound_.cy, color, borderStyle_);
  } else if (b.left == b.top && b.left == b.right && b.left == b.bottom) {
    CUIRender::DrawRect(dc, item_, b.left, color, borderStyle_);
  } else {
    if (b.left > 0) {
      CUIRender::DrawLine(dc, RECT{item_.left, item_.top, item_.left, item_.bottom}, b.left, color, borderStyle_);
    }
    if (b.top > 0) {
      CUIRender::DrawLine(dc, RECT{item_.left, item_.top, item_.right, item_.top}, b.top, color, borderStyle_);
    }
    if (b.right > 0) {
      CUIRender::DrawLine(dc, RECT{item_.right - b.right, item_.top, item_.right - b.right, item_.bottom}, b.right,
                          color, borderStyle_);
    }
    if (b.bottom > 0) {
      CUIRender::DrawLine(dc, RECT{item_.left, item_.bottom - b.bottom, item_.right, item_.bottom - b.bottom},
                          b.bottom, color, borderStyle_);
    }
  }
}

void CControlUI::PaintAfter(HDC /*dc*/, const RECT& /*dirty*/) { OnPostPaint(this); }

}  // namespace SkinUI
