#include "SkinUI/controls/LabelUI.h"

#include "SkinUI/controls/AttributeValues.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

constexpr UINT kHorizontalBits = DT_LEFT | DT_CENTER | DT_RIGHT;
constexpr UINT kVerticalBits = DT_TOP | DT_VCENTER | DT_BOTTOM;

int FontTextHeight(CUIPaintManager* manager, int font) {
  if (manager == nullptr) return 0;
  const FontInfo* info = font >= 0 ? manager->GetFontInfo(font) : nullptr;
  if (info == nullptr) info = manager->GetDefaultFontInfo();
  return info != nullptr ? info->metrics.tmHeight : 0;
}

}  // namespace

CLabelUI::CLabelUI() = default;

const wchar_t* CLabelUI::GetClass() const { return L"Label"; }

void* CLabelUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Label") == 0) return this;
  return CControlUI::AsInterface(name);
}

void CLabelUI::SetText(const wchar_t* text) {
  CControlUI::SetText(text);
  measureNeeded_ = true;
}

UINT CLabelUI::GetTextStyle() const { return textStyle_; }
void CLabelUI::SetTextStyle(UINT style) {
  textStyle_ = style;
  Invalidate();
}
int CLabelUI::GetFont() const { return font_; }
void CLabelUI::SetFont(int font) {
  font_ = font;
  measureNeeded_ = true;
  Invalidate();
}
DWORD CLabelUI::GetTextColor() const { return textColor_; }
void CLabelUI::SetTextColor(DWORD color) {
  textColor_ = color;
  Invalidate();
}
DWORD CLabelUI::GetDisabledTextColor() const { return disabledTextColor_; }
void CLabelUI::SetDisabledTextColor(DWORD color) {
  disabledTextColor_ = color;
  Invalidate();
}
RECT CLabelUI::GetTextPadding() const { return textPadding_; }
void CLabelUI::SetTextPadding(RECT padding) {
  textPadding_ = padding;
  measureNeeded_ = true;
  Invalidate();
}
bool CLabelUI::IsShowHtml() const { return showHtml_; }
void CLabelUI::SetShowHtml(bool show) {
  if (showHtml_ == show) return;
  showHtml_ = show;
  Invalidate();
}
bool CLabelUI::IsMultiLine() const { return (textStyle_ & DT_SINGLELINE) == 0; }
void CLabelUI::SetMultiLine(bool multiLine) {
  if (multiLine) {
    textStyle_ &= ~DT_SINGLELINE;
    textStyle_ |= DT_WORDBREAK;
  } else {
    textStyle_ |= DT_SINGLELINE;
  }
  measureNeeded_ = true;
}

void CLabelUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  using namespace AttributeValues;
  const CUIString key(name);
  if (key == L"align") {
    if (Contains(value, L"left")) textStyle_ &= ~kHorizontalBits;
    if (Contains(value, L"center")) textStyle_ = (textStyle_ & ~kHorizontalBits) | DT_CENTER;
    if (Contains(value, L"right")) textStyle_ = (textStyle_ & ~kHorizontalBits) | DT_RIGHT;
  } else if (key == L"valign") {
    if (Contains(value, L"top")) textStyle_ &= ~kVerticalBits;
    if (Contains(value, L"vcenter")) textStyle_ = (textStyle_ & ~kVerticalBits) | DT_VCENTER;
    if (Contains(value, L"bottom")) textStyle_ = (textStyle_ & ~kVerticalBits) | DT_BOTTOM;
  } else if (key == L"endellipsis") {
    if (IsTrue(value)) {
      textStyle_ |= DT_END_ELLIPSIS;
    } else {
      textStyle_ &= ~DT_END_ELLIPSIS;
    }
  } else if (key == L"font") {
    SetFont(ToInt(value));
  } else if (key == L"textcolor") {
    SetTextColor(ParseColorText(value));
  } else if (key == L"disabledtextcolor") {
    SetDisabledTextColor(ParseColorText(value));
  } else if (key == L"textpadding") {
    SetTextPadding(ParseRectText(value));
  } else if (key == L"multiline") {
    SetMultiLine(IsTrue(value));
  } else if (key == L"showhtml") {
    SetShowHtml(IsTrue(value));
  } else {
    // Text effect settings (enabledeffect and the like) are not drawn by this
    // framework; they end as custom attributes through the base.
    CControlUI::SetAttribute(name, value);
  }
}

SIZE CLabelUI::MeasureSize(SIZE available) {
  if (fixedSize_.cx > 0 && fixedSize_.cy > 0) return fixedSize_;
  if ((textStyle_ & DT_SINGLELINE) == 0 &&
      (available.cx != cachedAvailable_.cx || available.cy != cachedAvailable_.cy)) {
    measureNeeded_ = true;
  }
  if (measureNeeded_) {
    cachedAvailable_ = available;
    cachedSize_ = fixedSize_;
    measureNeeded_ = false;
    const HDC dc = manager_ != nullptr ? manager_->GetPaintDC() : nullptr;
    const RECT& pad = textPadding_;
    if ((textStyle_ & DT_SINGLELINE) != 0) {
      if (cachedSize_.cy == 0) cachedSize_.cy = pad.top + pad.bottom + FontTextHeight(manager_, font_) + 8;
      if (cachedSize_.cx == 0 && dc != nullptr && !text_.IsEmpty()) {
        RECT measured = {0, 0, 9999, cachedSize_.cy};
        CUIRender::DrawText(dc, manager_, measured, text_, 0, font_,
                            (textStyle_ & ~kHorizontalBits) | DT_CALCRECT);
        cachedSize_.cx = pad.left + pad.right + (measured.right - measured.left);
      } else if (cachedSize_.cx == 0) {
        cachedSize_.cx = pad.left + pad.right;
      }
    } else {
      if (cachedSize_.cx == 0) cachedSize_.cx = available.cx;
      RECT measured = {pad.left, 0, cachedSize_.cx - pad.right, 9999};
      if (dc != nullptr && !text_.IsEmpty()) {
        CUIRender::DrawText(dc, manager_, measured, text_, 0, font_, textStyle_ | DT_WORDBREAK | DT_CALCRECT);
      } else {
        measured.bottom = 0;
      }
      cachedSize_.cy = pad.top + pad.bottom + (measured.bottom - measured.top);
    }
  }
  return cachedSize_;
}

void CLabelUI::ResolveTextColors() {
  if (manager_ == nullptr) return;
  if (textColor_ == 0) textColor_ = manager_->GetDefaultFontColor();
  if (disabledTextColor_ == 0) disabledTextColor_ = manager_->GetDefaultDisabledColor();
}

RECT CLabelUI::TextArea() const {
  RECT area = item_;
  area.left += textPadding_.left;
  area.right -= textPadding_.right;
  area.top += textPadding_.top;
  area.bottom -= textPadding_.bottom;
  return area;
}

void CLabelUI::DrawLabelText(HDC dc, RECT area, DWORD color, UINT style) {
  CUIRender::DrawText(dc, manager_, area, text_, color, font_, style);
}

void CLabelUI::PaintText(HDC dc) {
  ResolveTextColors();
  RECT area = TextArea();
  if ((textStyle_ & ~DT_SINGLELINE) != 0 && !text_.IsEmpty()) {
    const int areaWidth = area.right - area.left;
    const int width = fixedSize_.cx > areaWidth ? fixedSize_.cx : areaWidth;
    RECT measured = {textPadding_.left, 0, width - textPadding_.right, 9999};
    CUIRender::DrawText(dc, manager_, measured, text_, 0, font_, textStyle_ | DT_CALCRECT);
    const int free = (area.bottom - area.top) - (measured.bottom - measured.top);
    int shift = 0;
    if ((textStyle_ & ~DT_VCENTER) != 0) {
      shift = free / 2;
    } else if ((textStyle_ & ~DT_BOTTOM) != 0) {
      shift = free;
    }
    if (shift > 0) area.top += shift;
  }
  const DWORD color = IsEnabled() ? textColor_ : disabledTextColor_;
  DrawLabelText(dc, area, color, textStyle_);
}

}  // namespace SkinUI
