#include "SkinUI/controls/EditUI.h"

#include "SkinUI/controls/AttributeValues.h"
#include "SkinUI/controls/EditWnd.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {

CEditUI::CEditUI() {
  textPadding_ = RECT{4, 3, 4, 3};
  bkColor_ = 0xFFFFFFFF;
}

CEditUI::~CEditUI() {
  if (editWnd_ == nullptr) return;
  CEditWnd* edit = editWnd_;
  editWnd_ = nullptr;
  edit->Detach();
  if (manager_ != nullptr) manager_->RemoveNativeWindow(edit->GetHWND());
  edit->Close();
}

const wchar_t* CEditUI::GetClass() const { return L"Edit"; }

HWND CEditUI::GetChildWindow() { return editWnd_ != nullptr ? editWnd_->GetHWND() : nullptr; }

void CEditUI::StartEditing() {
  if (editWnd_ != nullptr || !IsEnabled()) return;
  // A failed window leaves the edit as a plain text display.
  editWnd_ = CEditWnd::Open(this);
  Invalidate();
}

void CEditUI::OnEditWindowClosed() {
  editWnd_ = nullptr;
  Invalidate();
}

void CEditUI::TakeNativeText(const wchar_t* text) {
  text_ = text;
  measureNeeded_ = true;
}

void CEditUI::SetText(const wchar_t* text) {
  CLabelUI::SetText(text);
  if (editWnd_ != nullptr) ::SetWindowTextW(editWnd_->GetHWND(), text_);
}

void CEditUI::Place(RECT rect, bool invalidate) {
  CLabelUI::Place(rect, invalidate);
  if (editWnd_ != nullptr) editWnd_->Reposition();
}

void CEditUI::Move(SIZE offset, bool invalidate) {
  CLabelUI::Move(offset, invalidate);
  if (editWnd_ != nullptr) editWnd_->Reposition();
}

void CEditUI::SetVisible(bool visible) {
  CLabelUI::SetVisible(visible);
  EndEditingIfHidden();
}

void CEditUI::SetShownByParent(bool shown) {
  CLabelUI::SetShownByParent(shown);
  EndEditingIfHidden();
}

void CEditUI::EndEditingIfHidden() {
  if (editWnd_ == nullptr || IsVisible() || manager_ == nullptr) return;
  // Taking the window's focus makes the native window close itself.
  ::SetFocus(manager_->GetPaintWindow());
  manager_->SetFocus(nullptr);
}

RECT CEditUI::GetNativeRect() const {
  RECT area = TextArea();
  if (manager_ != nullptr) {
    const FontInfo* info = font_ >= 0 ? manager_->GetFontInfo(font_) : nullptr;
    if (info == nullptr) info = manager_->GetDefaultFontInfo();
    const int fontHeight = info != nullptr ? info->metrics.tmHeight : 0;
    const int height = area.bottom - area.top;
    if (fontHeight > 0 && fontHeight < height) {
      area.top += (height - fontHeight) / 2;
      area.bottom = area.top + fontHeight;
    }
  }
  for (CControlUI* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->GetParent()) {
    RECT clipped;
    const RECT client = ancestor->GetClientPos();
    if (!ancestor->IsVisible() || !::IntersectRect(&clipped, &area, &client)) return RECT{0, 0, 0, 0};
    area = clipped;
  }
  return area;
}

DWORD CEditUI::GetNativeStyle() const {
  DWORD style = extraStyle_;
  if ((textStyle_ & DT_CENTER) != 0) {
    style |= ES_CENTER;
  } else if ((textStyle_ & DT_RIGHT) != 0) {
    style |= ES_RIGHT;
  } else {
    style |= ES_LEFT;
  }
  if (password_) style |= ES_PASSWORD;
  return style;
}

void* CEditUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Edit") == 0) return this;
  return CLabelUI::AsInterface(name);
}

UINT CEditUI::GetBehaviourFlags() const {
  return IsEnabled() ? static_cast<UINT>(UIFLAG_TABSTOP | UIFLAG_SETCURSOR) : 0u;
}

UINT CEditUI::GetControlFlags() const { return GetBehaviourFlags(); }

void CEditUI::SetEnabled(bool enabled) {
  CControlUI::SetEnabled(enabled);
  if (!IsEnabled()) state_ = 0;
}

void CEditUI::SetReadOnly(bool readOnly) {
  if (readOnly_ == readOnly) return;
  readOnly_ = readOnly;
  if (editWnd_ != nullptr) ::SendMessageW(editWnd_->GetHWND(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  Invalidate();
}

void CEditUI::SetPasswordMode(bool password) {
  if (password_ == password) return;
  password_ = password;
  Invalidate();
}

void CEditUI::SetPasswordChar(wchar_t ch) {
  if (passwordChar_ == ch) return;
  passwordChar_ = ch;
  Invalidate();
}

void CEditUI::SetNumberOnly(bool numberOnly) {
  if (numberOnly) {
    extraStyle_ |= ES_NUMBER;
  } else {
    extraStyle_ &= ~static_cast<UINT>(ES_NUMBER);
  }
}

void CEditUI::SetTipValue(const wchar_t* text) {
  tipValue_ = text != nullptr ? text : L"";
  Invalidate();
}

void CEditUI::SetTipValueColor(DWORD color) {
  tipValueColor_ = color;
  Invalidate();
}

void CEditUI::SetImage(DrawInfo& info, const wchar_t* image) {
  if (image == nullptr) image = L"";
  if (info.attribute == image && info.image != nullptr) return;
  info.SetAttribute(image);
  Invalidate();
}

void CEditUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  using namespace AttributeValues;
  const CUIString key(name);
  if (key == L"readonly") {
    SetReadOnly(IsTrue(value));
  } else if (key == L"numberonly") {
    SetNumberOnly(IsTrue(value));
  } else if (key == L"password") {
    SetPasswordMode(IsTrue(value));
  } else if (key == L"autoselall") {
    SetAutoSelectAll(IsTrue(value));
  } else if (key == L"maxchar") {
    SetMaxChar(ToInt(value));
    if (editWnd_ != nullptr) ::SendMessageW(editWnd_->GetHWND(), EM_LIMITTEXT, static_cast<WPARAM>(maxChar_), 0);
  } else if (key == L"normalimage") {
    SetNormalImage(value);
  } else if (key == L"hotimage") {
    SetHotImage(value);
  } else if (key == L"focusedimage") {
    SetFocusedImage(value);
  } else if (key == L"disabledimage") {
    SetDisabledImage(value);
  } else if (key == L"nativebkcolor") {
    SetNativeBkColor(ParseColorText(value));
  } else if (key == L"nativetextcolor") {
    SetNativeTextColor(ParseColorText(value));
  } else if (key == L"tipvalue") {
    SetTipValue(value);
  } else if (key == L"tipvaluecolor") {
    SetTipValueColor(ParseColorText(value));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CEditUI::HandleEvent(UIEvent& event) {
  if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
    if (parent_ != nullptr) {
      parent_->HandleEvent(event);
    } else {
      CLabelUI::HandleEvent(event);
    }
    return;
  }
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (IsEnabled()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
        return;
      }
      break;
    case UIEVENT_WINDOWSIZE:
      if (editWnd_ != nullptr && manager_ != nullptr) manager_->SetFocusNeeded(true);
      return;
    case UIEVENT_SCROLLWHEEL:
      if (editWnd_ != nullptr) return;
      break;
    case UIEVENT_SETFOCUS:
      CLabelUI::HandleEvent(event);
      StartEditing();
      return;
    case UIEVENT_KILLFOCUS:
      CLabelUI::HandleEvent(event);
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (!IsEnabled()) return;
      if (manager_ != nullptr) manager_->ReleaseCapture();
      if (IsFocused() && editWnd_ == nullptr) {
        StartEditing();
      } else if (editWnd_ != nullptr && !autoSelectAll_) {
        const HWND native = editWnd_->GetHWND();
        const RECT area = GetNativeRect();
        ::SendMessageW(native, EM_SETSEL, 0, 0);
        ::PostMessageW(native, WM_LBUTTONDOWN, event.wParam,
                       MAKELPARAM(event.ptMouse.x - area.left, event.ptMouse.y - area.top));
      }
      return;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_BUTTONUP:
    case UIEVENT_CONTEXTMENU:
      return;
    case UIEVENT_MOUSEENTER:
      if (::PtInRect(&item_, event.ptMouse) && IsEnabled() && (state_ & UISTATE_HOT) == 0) {
        state_ |= UISTATE_HOT;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSELEAVE:
      if (::PtInRect(&item_, event.ptMouse)) {
        if (manager_ != nullptr) manager_->AddMouseLeaveNeeded(this);
        return;
      }
      if (IsEnabled() && (state_ & UISTATE_HOT) != 0) {
        state_ &= ~UISTATE_HOT;
        Invalidate();
      }
      // Best effort: false only means the edit was not waiting for a leave.
      if (manager_ != nullptr) manager_->RemoveMouseLeaveNeeded(this);
      return;
    default:
      break;
  }
  CLabelUI::HandleEvent(event);
}

bool CEditUI::DrawState(HDC dc, DrawInfo& info) {
  if (info.attribute.IsEmpty()) return false;
  return CUIRender::DrawImageString(dc, manager_, item_, paint_, info);
}

void CEditUI::PaintStateImage(HDC dc) {
  bool drawn = false;
  if (!IsEnabled()) {
    drawn = DrawState(dc, disabledImage_);
  } else if (IsFocused()) {
    drawn = DrawState(dc, focusedImage_);
  } else if ((state_ & UISTATE_HOT) != 0) {
    drawn = DrawState(dc, hotImage_);
  }
  if (!drawn) DrawState(dc, normalImage_);
}

CUIString CEditUI::GetShownText() const {
  if (text_.IsEmpty()) return tipValue_;
  if (!password_) return text_;
  CUIString masked;
  for (int i = 0; i < text_.GetLength(); ++i) masked += passwordChar_;
  return masked;
}

void CEditUI::PaintText(HDC dc) {
  ResolveTextColors();
  const CUIString shown = GetShownText();
  if (shown.IsEmpty()) return;
  DWORD color = IsEnabled() ? textColor_ : disabledTextColor_;
  if (text_.IsEmpty() || text_ == tipValue_) color = tipValueColor_;
  RECT area = TextArea();
  CUIRender::DrawText(dc, manager_, area, shown, color, font_, textStyle_ | DT_SINGLELINE);
}

}  // namespace SkinUI
