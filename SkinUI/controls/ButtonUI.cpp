#include "SkinUI/controls/ButtonUI.h"

#include "SkinUI/controls/AttributeValues.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {

CButtonUI::CButtonUI() { textStyle_ = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

const wchar_t* CButtonUI::GetClass() const { return L"Button"; }

void* CButtonUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Button") == 0) return this;
  return CLabelUI::AsInterface(name);
}

UINT CButtonUI::GetBehaviourFlags() const {
  if (!IsEnabled()) return 0;
  return static_cast<UINT>(UIFLAG_SETCURSOR) | (IsKeyboardEnabled() ? static_cast<UINT>(UIFLAG_TABSTOP) : 0u);
}

UINT CButtonUI::GetControlFlags() const { return GetBehaviourFlags(); }

bool CButtonUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (manager_ != nullptr) manager_->RaiseNotify(this, L"click");
  return true;
}

void CButtonUI::SetEnabled(bool enabled) {
  CControlUI::SetEnabled(enabled);
  if (!IsEnabled()) state_ = 0;
}

void CButtonUI::SetImage(DrawInfo& info, const wchar_t* image) {
  if (image == nullptr) image = L"";
  if (info.attribute == image && info.image != nullptr) return;
  info.SetAttribute(image);
  Invalidate();
}

void CButtonUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  using namespace AttributeValues;
  const CUIString key(name);
  if (key == L"normalimage") {
    SetNormalImage(value);
  } else if (key == L"hotimage") {
    SetHotImage(value);
  } else if (key == L"pushedimage") {
    SetPushedImage(value);
  } else if (key == L"focusedimage") {
    SetFocusedImage(value);
  } else if (key == L"disabledimage") {
    SetDisabledImage(value);
  } else if (key == L"foreimage") {
    SetForeImage(value);
  } else if (key == L"hotforeimage") {
    SetHotForeImage(value);
  } else if (key == L"fivestatusimage") {
    SetFiveStatusImage(value);
  } else if (key == L"fadedelta") {
    const int delta = ToInt(value);
    SetFadeDelta(delta < 0 ? 0 : (delta > 255 ? 255 : delta));
  } else if (key == L"hotbkcolor") {
    SetHotBkColor(ParseColorText(value));
  } else if (key == L"pushedbkcolor") {
    SetPushedBkColor(ParseColorText(value));
  } else if (key == L"disabledbkcolor") {
    SetDisabledBkColor(ParseColorText(value));
  } else if (key == L"hottextcolor") {
    SetHotTextColor(ParseColorText(value));
  } else if (key == L"pushedtextcolor") {
    SetPushedTextColor(ParseColorText(value));
  } else if (key == L"focusedtextcolor") {
    SetFocusedTextColor(ParseColorText(value));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

SIZE CButtonUI::MeasureSize(SIZE available) {
  if (fixedSize_.cy != 0) return CControlUI::MeasureSize(available);
  int height = 8;
  if (manager_ != nullptr) {
    const FontInfo* info = font_ >= 0 ? manager_->GetFontInfo(font_) : nullptr;
    if (info == nullptr) info = manager_->GetDefaultFontInfo();
    if (info != nullptr) height += info->metrics.tmHeight;
  }
  return SIZE{fixedSize_.cx, height};
}

void CButtonUI::HandleEvent(UIEvent& event) {
  if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
    if (parent_ != nullptr) {
      parent_->HandleEvent(event);
    } else {
      CLabelUI::HandleEvent(event);
    }
    return;
  }
  const bool inside = ::PtInRect(&item_, event.ptMouse) != FALSE;
  switch (event.Type) {
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
      Invalidate();
      break;
    case UIEVENT_KEYDOWN:
      if (IsKeyboardEnabled() && IsEnabled()) {
        if (event.chKey == VK_SPACE || event.chKey == VK_RETURN) {
          Activate();
          return;
        }
      }
      break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (inside && IsEnabled()) {
        state_ |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if ((state_ & UISTATE_CAPTURED) != 0) {
        if (inside) {
          state_ |= UISTATE_PUSHED;
        } else {
          state_ &= ~UISTATE_PUSHED;
        }
        Invalidate();
      }
      return;
    case UIEVENT_BUTTONUP:
      if ((state_ & UISTATE_CAPTURED) != 0) {
        if (inside && IsEnabled()) Activate();
        state_ &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEENTER:
      if (inside && IsEnabled() && (state_ & UISTATE_HOT) == 0) {
        state_ |= UISTATE_HOT;
        Invalidate();
        if (manager_ != nullptr) {
          manager_->RaiseNotify(this, L"mouseenter", event.wParam, event.lParam);
          StartFade();
        }
      }
      return;
    case UIEVENT_MOUSELEAVE:
      if (inside) {
        // Still over the button (a child window took the mouse): ask for a later leave.
        if (manager_ != nullptr) manager_->AddMouseLeaveNeeded(this);
        return;
      }
      if (IsEnabled() && (state_ & UISTATE_HOT) != 0) {
        state_ &= ~UISTATE_HOT;
        Invalidate();
        if (manager_ != nullptr) manager_->RaiseNotify(this, L"mouseleave", event.wParam, event.lParam);
      }
      if (manager_ != nullptr) {
        // Best effort: false only means the button was not waiting for a leave.
        manager_->RemoveMouseLeaveNeeded(this);
        StartFade();
      }
      return;
    case UIEVENT_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return;
    case UIEVENT_TIMER:
      if (event.wParam == kFadeTimerId) {
        StepFade();
        return;
      }
      break;
    case UIEVENT_CONTEXTMENU:
      if (IsContextMenuUsed() && IsEnabled()) {
        if (manager_ != nullptr) manager_->RaiseNotify(this, L"menu", event.wParam, event.lParam);
        return;
      }
      break;
    default:
      break;
  }
  CLabelUI::HandleEvent(event);
}

void CButtonUI::StartFade() {
  if (fadeDelta_ == 0 || manager_ == nullptr) return;
  // Best effort: false means the timer already runs (the fade turns around)
  // or there is no window to tick it.
  manager_->SetTimer(this, kFadeTimerId, kFadeIntervalMs);
}

void CButtonUI::StepFade() {
  bool done;
  if ((state_ & UISTATE_HOT) != 0) {
    fadeAlpha_ = fadeAlpha_ > fadeDelta_ ? static_cast<BYTE>(fadeAlpha_ - fadeDelta_) : 0;
    done = fadeAlpha_ == 0;
  } else {
    fadeAlpha_ = 255 - fadeAlpha_ > fadeDelta_ ? static_cast<BYTE>(fadeAlpha_ + fadeDelta_) : 255;
    done = fadeAlpha_ == 255;
  }
  // Best effort: the timer may already be gone with the window.
  if (done && manager_ != nullptr) manager_->KillTimer(this, kFadeTimerId);
  Invalidate();
}

void CButtonUI::RefreshState() {
  if (IsFocused()) {
    state_ |= UISTATE_FOCUSED;
  } else {
    state_ &= ~UISTATE_FOCUSED;
  }
  if (!IsEnabled()) {
    state_ |= UISTATE_DISABLED;
  } else {
    state_ &= ~UISTATE_DISABLED;
  }
}

bool CButtonUI::DrawState(HDC dc, DrawInfo& info) {
  if (info.attribute.IsEmpty()) return false;
  return CUIRender::DrawImageString(dc, manager_, item_, paint_, info);
}

void CButtonUI::DrawStateFaded(HDC dc, DrawInfo& info, BYTE alpha) {
  if (info.attribute.IsEmpty()) return;
  // Parse first so the image's own fade does not overwrite the one asked for.
  const RECT none = {0, 0, 0, 0};
  CUIRender::DrawImageString(dc, manager_, none, none, info);
  const BYTE own = info.fade;
  info.fade = static_cast<BYTE>(own * alpha / 255);
  CUIRender::DrawImageString(dc, manager_, item_, paint_, info);
  info.fade = own;
}

void CButtonUI::PaintStateImage(HDC dc) {
  RefreshState();
  PaintButtonStateImage(dc, state_);
}

void CButtonUI::PaintButtonStateImage(HDC dc, UINT state) {
  bool hotForeDrawn = false;
  if ((state & UISTATE_DISABLED) != 0) {
    if (disabledBkColor_ != 0) CUIRender::DrawColor(dc, paint_, AdjustColor(disabledBkColor_));
    if (!DrawState(dc, disabledImage_)) DrawState(dc, normalImage_);
  } else if ((state & UISTATE_PUSHED) != 0) {
    if (pushedBkColor_ != 0) CUIRender::DrawColor(dc, paint_, AdjustColor(pushedBkColor_));
    if (!DrawState(dc, pushedImage_)) DrawState(dc, normalImage_);
    hotForeDrawn = DrawState(dc, hotForeImage_);
  } else if ((state & UISTATE_HOT) != 0) {
    if (hotBkColor_ != 0) CUIRender::DrawColor(dc, paint_, AdjustColor(hotBkColor_));
    if (fadeDelta_ > 0) {
      DrawStateFaded(dc, normalImage_, fadeAlpha_);
      DrawStateFaded(dc, hotImage_, static_cast<BYTE>(255 - fadeAlpha_));
    } else {
      DrawState(dc, hotImage_);
    }
    hotForeDrawn = DrawState(dc, hotForeImage_);
  } else if ((state & UISTATE_FOCUSED) != 0 && !focusedImage_.attribute.IsEmpty()) {
    DrawState(dc, focusedImage_);
  } else if (fadeDelta_ > 0 && fadeAlpha_ < 255) {
    DrawStateFaded(dc, hotImage_, static_cast<BYTE>(255 - fadeAlpha_));
    DrawStateFaded(dc, normalImage_, fadeAlpha_);
  } else {
    DrawState(dc, normalImage_);
  }
  if (!hotForeDrawn) DrawState(dc, foreImage_);
}

void CButtonUI::PaintText(HDC dc) {
  RefreshState();
  PaintButtonText(dc, state_);
}

void CButtonUI::PaintButtonText(HDC dc, UINT state) {
  if (text_.IsEmpty()) return;
  ResolveTextColors();
  DWORD color;
  if ((state & UISTATE_PUSHED) != 0 && pushedTextColor_ != 0) {
    color = pushedTextColor_;
  } else if ((state & UISTATE_HOT) != 0 && hotTextColor_ != 0) {
    color = hotTextColor_;
  } else if ((state & UISTATE_FOCUSED) != 0 && focusedTextColor_ != 0) {
    color = focusedTextColor_;
  } else {
    color = IsEnabled() ? textColor_ : disabledTextColor_;
  }
  DrawLabelText(dc, TextArea(), color, textStyle_);
}

}  // namespace SkinUI
