#include "SkinUI/controls/ProgressUI.h"

#include "SkinUI/controls/AttributeValues.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {

RECT ProgressFillOffset(bool horizontal, int width, int height, int minimum, int maximum, int value) {
  if (minimum >= maximum) maximum = minimum + 1;
  if (value < minimum) value = minimum;
  if (value > maximum) value = maximum;
  // 64-bit products: a large range times a wide bar does not overflow.
  const long long span = static_cast<long long>(maximum) - minimum;
  if (horizontal) {
    return RECT{0, 0, static_cast<LONG>(width * (static_cast<long long>(value) - minimum) / span), height};
  }
  return RECT{0, static_cast<LONG>(height * (static_cast<long long>(maximum) - value) / span), width, height};
}

CProgressUI::CProgressUI() {
  textStyle_ = DT_SINGLELINE | DT_CENTER;
  fixedSize_.cy = 12;
}

const wchar_t* CProgressUI::GetClass() const { return L"Progress"; }

void* CProgressUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Progress") == 0) return this;
  return CLabelUI::AsInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
  if (horizontal_ == horizontal) return;
  horizontal_ = horizontal;
  Invalidate();
}

void CProgressUI::SetMinValue(int value) {
  min_ = value;
  Invalidate();
}

void CProgressUI::SetMaxValue(int value) {
  max_ = value;
  Invalidate();
}

void CProgressUI::SetValue(int value) {
  value_ = value;
  Invalidate();
}

void CProgressUI::SetForeImage(const wchar_t* image) {
  if (image == nullptr) image = L"";
  if (foreImage_.attribute == image && foreImage_.image != nullptr) return;
  foreImage_.SetAttribute(image);
  Invalidate();
}

void CProgressUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  using namespace AttributeValues;
  const CUIString key(name);
  if (key == L"foreimage") {
    SetForeImage(value);
  } else if (key == L"hor") {
    SetHorizontal(IsTrue(value));
  } else if (key == L"min") {
    SetMinValue(ToInt(value));
  } else if (key == L"max") {
    SetMaxValue(ToInt(value));
  } else if (key == L"value") {
    SetValue(ToInt(value));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CProgressUI::PaintStateImage(HDC dc) {
  if (foreImage_.attribute.IsEmpty()) return;
  // Parse the attribute first: its own dest would otherwise replace the fill.
  const RECT none = {0, 0, 0, 0};
  CUIRender::DrawImageString(dc, manager_, none, none, foreImage_);
  foreImage_.dest = ProgressFillOffset(horizontal_, item_.right - item_.left, item_.bottom - item_.top, min_, max_,
                                       value_);
  if (::IsRectEmpty(&foreImage_.dest)) return;  // nothing filled: an empty offset would mean the whole bar
  CUIRender::DrawImageString(dc, manager_, item_, paint_, foreImage_);
}

}  // namespace SkinUI
