#include "SkinUI/control/ControlUI.h"

#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

int Truncate(double value) { return static_cast<int>(value); }

}  // namespace

CControlUI::CControlUI() = default;

void CControlUI::Delete() { delete this; }

CControlUI::~CControlUI() {
  if (cover_ != nullptr) {
    cover_->Delete();
    cover_ = nullptr;
  }
  RemoveAllCustomAttributes();
  OnDestroy(this);
  if (manager_ != nullptr) manager_->ForgetControl(this);
}

CUIString CControlUI::GetName() const { return name_; }

void CControlUI::SetName(const wchar_t* name) {
  if (name_ == name) return;
  name_ = name;
  if (manager_ != nullptr) manager_->ReindexControl(this, name);
}

const wchar_t* CControlUI::GetClass() const { return L"Control"; }

void* CControlUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Control") == 0) return this;
  return nullptr;
}

UINT CControlUI::GetBehaviourFlags() const { return 0; }

UINT CControlUI::GetControlFlags() const { return 0; }

HWND CControlUI::GetChildWindow() { return nullptr; }

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

CUIPaintManager* CControlUI::GetOwnerManager() const { return manager_; }

void CControlUI::BindManager(CUIPaintManager* manager, CControlUI* parent, bool init) {
  if (cover_ != nullptr) cover_->BindManager(manager, this, init);
  manager_ = manager;
  parent_ = parent;
  if (init && parent_ != nullptr) Initialize();
}

CControlUI* CControlUI::GetParent() const { return parent_; }

CControlUI* CControlUI::GetCover() const { return cover_; }

void CControlUI::SetCover(CControlUI* cover) {
  if (cover == cover_) return;
  if (cover_ != nullptr) cover_->Delete();
  cover_ = cover;
  if (cover_ == nullptr) return;
  if (manager_ != nullptr) {
    manager_->BindSubtree(cover_, this);
  } else {
    cover_->BindManager(nullptr, this, false);
  }
  if (!IsVisible()) {
    cover_->SetShownByParent(false);
  } else {
    RequestLayout();
  }
}

CUIString CControlUI::GetText() const { return text_; }

void CControlUI::SetText(const wchar_t* text) {
  if (text_ == text) return;
  text_ = text;
  Invalidate();
}

const RECT& CControlUI::GetPos() const { return item_; }

RECT CControlUI::GetRelativePos() const {
  if (parent_ == nullptr) return RECT{0, 0, 0, 0};
  RECT relative = item_;
  const RECT& parent = parent_->GetPos();
  ::OffsetRect(&relative, -parent.left, -parent.top);
  return relative;
}

RECT CControlUI::GetClientPos() const { return item_; }

void CControlUI::InvalidateClipped(RECT rect) {
  for (CControlUI* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->GetParent()) {
    if (!ancestor->IsVisible()) return;
    RECT clipped;
    if (!::IntersectRect(&clipped, &rect, &ancestor->GetPos())) return;
    rect = clipped;
  }
  if (manager_ != nullptr) manager_->Invalidate(rect);
}

void CControlUI::Place(RECT rect, bool invalidate) {
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  RECT repaint = ::IsRectEmpty(&item_) ? rect : item_;

  if (float_) {
    if (parent_ != nullptr) {
      const RECT& p = parent_->GetPos();
      const int width = p.right - p.left, height = p.bottom - p.top;
      item_ = rect;
      ::OffsetRect(&item_, p.left, p.top);
      fixedXY_.cx = rect.left - Truncate(floatPercent_.left * width);
      fixedXY_.cy = rect.top - Truncate(floatPercent_.top * height);
      fixedSize_.cx = rect.right - fixedXY_.cx - Truncate(floatPercent_.right * width);
      fixedSize_.cy = rect.bottom - fixedXY_.cy - Truncate(floatPercent_.bottom * height);
    }
  } else {
    item_ = rect;
  }
  if (manager_ == nullptr) return;
  if (!inPositionChange_) {
    inPositionChange_ = true;
    OnSize(this);
    inPositionChange_ = false;
  }
  layoutNeeded_ = false;
  if (invalidate && IsVisible()) {
    ::UnionRect(&repaint, &repaint, &item_);
    InvalidateClipped(repaint);
  }
  PlaceCover();
}

void CControlUI::PlaceCover() {
  if (cover_ == nullptr || !cover_->IsVisible()) return;
  const int width = item_.right - item_.left, height = item_.bottom - item_.top;
  RECT rect;
  if (cover_->IsFloat()) {
    const FloatPercent percent = cover_->GetFloatPercent();
    const SIZE xy = cover_->GetFixedXY();
    rect.left = Truncate(width * percent.left) + xy.cx;
    rect.top = Truncate(height * percent.top) + xy.cy;
    rect.right = Truncate(width * percent.right) + xy.cx + cover_->GetFixedWidth();
    rect.bottom = Truncate(height * percent.bottom) + xy.cy + cover_->GetFixedHeight();
  } else {
    int coverWidth = width, coverHeight = height;
    if (coverWidth < cover_->GetMinWidth()) coverWidth = cover_->GetMinWidth();
    if (coverWidth > cover_->GetMaxWidth()) coverWidth = cover_->GetMaxWidth();
    if (coverHeight < cover_->GetMinHeight()) coverHeight = cover_->GetMinHeight();
    if (coverHeight > cover_->GetMaxHeight()) coverHeight = cover_->GetMaxHeight();
    rect = RECT{item_.left, item_.top, item_.left + coverWidth, item_.top + coverHeight};
  }
  cover_->Place(rect, false);
}

void CControlUI::Move(SIZE offset, bool invalidate) {
  RECT repaint = item_;
  ::OffsetRect(&item_, offset.cx, offset.cy);
  if (invalidate && manager_ != nullptr && IsVisible()) {
    ::UnionRect(&repaint, &repaint, &item_);
    InvalidateClipped(repaint);
  }
  if (cover_ != nullptr && cover_->IsVisible()) cover_->Move(offset, false);
}

int CControlUI::GetWidth() const { return item_.right - item_.left; }
int CControlUI::GetHeight() const { return item_.bottom - item_.top; }
int CControlUI::GetX() const { return item_.left; }
int CControlUI::GetY() const { return item_.top; }

RECT CControlUI::GetPadding() const { return padding_; }
void CControlUI::SetPadding(RECT padding) {
  padding_ = padding;
  RequestParentLayout();
}

SIZE CControlUI::GetFixedXY() const { return fixedXY_; }
void CControlUI::SetFixedXY(SIZE xy) {
  fixedXY_ = xy;
  RequestParentLayout();
}

FloatPercent CControlUI::GetFloatPercent() const { return floatPercent_; }
void CControlUI::SetFloatPercent(FloatPercent percent) {
  floatPercent_ = percent;
  RequestParentLayout();
}

int CControlUI::GetFixedWidth() const { return fixedSize_.cx; }
void CControlUI::SetFixedWidth(int cx) {
  if (cx < 0) return;
  fixedSize_.cx = cx;
  RequestParentLayout();
}

int CControlUI::GetFixedHeight() const { return fixedSize_.cy; }
void CControlUI::SetFixedHeight(int cy) {
  if (cy < 0) return;
  fixedSize_.cy = cy;
  RequestParentLayout();
}

int CControlUI::GetMinWidth() const { return minSize_.cx; }
void CControlUI::SetMinWidth(int cx) {
  if (cx < 0 || minSize_.cx == cx) return;
  minSize_.cx = cx;
  RequestParentLayout();
}

int CControlUI::GetMaxWidth() const { return maxSize_.cx < minSize_.cx ? minSize_.cx : maxSize_.cx; }
void CControlUI::SetMaxWidth(int cx) {
  if (cx < 0 || maxSize_.cx == cx) return;
  maxSize_.cx = cx;
  RequestParentLayout();
}

int CControlUI::GetMinHeight() const { return minSize_.cy; }
void CControlUI::SetMinHeight(int cy) {
  if (cy < 0 || minSize_.cy == cy) return;
  minSize_.cy = cy;
  RequestParentLayout();
}

int CControlUI::GetMaxHeight() const { return maxSize_.cy < minSize_.cy ? minSize_.cy : maxSize_.cy; }
void CControlUI::SetMaxHeight(int cy) {
  if (cy < 0 || maxSize_.cy == cy) return;
  maxSize_.cy = cy;
  RequestParentLayout();
}

CUIString CControlUI::GetToolTip() const { return toolTip_; }
void CControlUI::SetToolTip(const wchar_t* text) {
  toolTip_ = text;
  toolTip_.Replace(L"<n>", L"\r\n");
}
void CControlUI::SetToolTipWidth(int width) { toolTipWidth_ = width; }
int CControlUI::GetToolTipWidth() const { return toolTipWidth_; }

wchar_t CControlUI::GetShortcut() const { return shortcut_; }
void CControlUI::SetShortcut(wchar_t ch) { shortcut_ = ch; }
bool CControlUI::IsContextMenuUsed() const { return menuUsed_; }
void CControlUI::SetContextMenuUsed(bool used) { menuUsed_ = used; }
const CUIString& CControlUI::GetUserData() const { return userData_; }
void CControlUI::SetUserData(const wchar_t* text) { userData_ = text; }
UINT_PTR CControlUI::GetTag() const { return tag_; }
void CControlUI::SetTag(UINT_PTR tag) { tag_ = tag; }

bool CControlUI::IsVisible() const { return visible_ && shownByParent_; }

void CControlUI::SetVisible(bool visible) {
  if (visible_ == visible) return;
  const bool wasShown = IsVisible();
  visible_ = visible;
  focused_ = false;
  if (!visible && manager_ != nullptr && manager_->GetFocus() == this) manager_->SetFocus(nullptr);
  if (IsVisible() != wasShown) RequestParentLayout();
  if (cover_ != nullptr) cover_->SetShownByParent(IsVisible());
}

void CControlUI::SetShownByParent(bool shown) {
  shownByParent_ = shown;
  if (!shown && manager_ != nullptr && manager_->GetFocus() == this) manager_->SetFocus(nullptr);
  if (cover_ != nullptr) cover_->SetShownByParent(IsVisible());
}

bool CControlUI::IsEnabled() const { return enabled_; }
void CControlUI::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Invalidate();
}
bool CControlUI::IsMouseEnabled() const { return mouseEnabled_; }
void CControlUI::SetMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
bool CControlUI::IsKeyboardEnabled() const { return keyboardEnabled_; }
void CControlUI::SetKeyboardEnabled(bool enabled) { keyboardEnabled_ = enabled; }
bool CControlUI::IsFocused() const { return focused_; }
void CControlUI::SetFocus() {
  if (manager_ != nullptr) manager_->SetFocus(this);
}
bool CControlUI::IsFloat() const { return float_; }
void CControlUI::SetFloat(bool floating) {
  if (float_ == floating) return;
  float_ = floating;
  RequestParentLayout();
}

CControlUI* CControlUI::FindControl(FindControlProc proc, LPVOID data, UINT flags) {
  if ((flags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) && !::PtInRect(&item_, *static_cast<const POINT*>(data))) return nullptr;
  if ((flags & UIFIND_UPDATETEST) && proc(this, data) != nullptr) return nullptr;
  const bool visitable = !(flags & UIFIND_HITTEST) || mouseEnabled_;
  if ((flags & UIFIND_ME_FIRST) && visitable) {
    if (CControlUI* found = proc(this, data)) return found;
  }
  if (cover_ != nullptr) {
    if (CControlUI* found = cover_->FindControl(proc, data, flags)) return found;
  }
  if (!(flags & UIFIND_ME_FIRST) && visitable) return proc(this, data);
  return nullptr;
}

void CControlUI::Initialize() {
  OnInitialize();
  OnInit(this);
}

void CControlUI::OnInitialize() {}

void CControlUI::DispatchEvent(UIEvent& event) {
  if (OnEvent(&event)) HandleEvent(event);
}

void CControlUI::HandleEvent(UIEvent& event) {
  switch (event.Type) {
    case UIEVENT_CONTEXTMENU:
      if (menuUsed_) {
        if (manager_ != nullptr) manager_->RaiseNotify(this, L"menu", event.wParam, event.lParam);
        return;
      }
      break;
    case UIEVENT_KILLFOCUS:
      focused_ = false;
      Invalidate();
      return;
    case UIEVENT_SETFOCUS:
      focused_ = true;
      Invalidate();
      return;
    case UIEVENT_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
      return;
    case UIEVENT_TIMER:
      if (manager_ != nullptr) manager_->RaiseNotify(this, L"timer", event.wParam, event.lParam);
      return;
    default:
      break;
  }
  if (parent_ != nullptr) parent_->HandleEvent(event);
}

CUIString CControlUI::GetAttribute(const wchar_t* /*name*/) { return CUIString(); }

CUIString CControlUI::GetAttributeList() { return CUIString(); }

SIZE CControlUI::MeasureSize(SIZE /*available*/) { return fixedSize_; }

void CControlUI::Invalidate() {
  if (!IsVisible()) return;
  InvalidateClipped(item_);
}

void CControlUI::RequestLayout() {
  if (!IsVisible()) return;
  layoutNeeded_ = true;
  Invalidate();
  if (manager_ != nullptr) manager_->MarkLayoutNeeded();
}

void CControlUI::RequestParentLayout() {
  if (parent_ != nullptr) {
    if (parent_->IsVisible()) {
      parent_->SetLayoutNeeded();
      parent_->Invalidate();
      if (manager_ != nullptr) manager_->MarkLayoutNeeded();
    }
    parent_->Invalidate();
  } else {
    RequestLayout();
  }
  if (manager_ != nullptr) manager_->MarkLayoutNeeded();
}

DWORD CControlUI::AdjustColor(DWORD color) const {
  if (!colorHSL_) return color;
  short hue, saturation, lightness;
  CUIPaintManager::GetHSL(&hue, &saturation, &lightness);
  return CUIRender::AdjustColor(color, hue, saturation, lightness);
}

void CControlUI::AddCustomAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || *name == L'\0' || value == nullptr || *value == L'\0') return;
  if (customAttributes_.Contains(name)) return;  // the first value stays
  customAttributes_.Insert(name, new CUIString(value));
}

const wchar_t* CControlUI::GetCustomAttribute(const wchar_t* name) const {
  auto* value = static_cast<const CUIString*>(customAttributes_.Find(name));
  return value ? value->GetData() : nullptr;
}

bool CControlUI::RemoveCustomAttribute(const wchar_t* name) {
  auto* value = static_cast<CUIString*>(customAttributes_.Find(name, false));
  if (value == nullptr) return false;
  customAttributes_.Remove(name);
  delete value;
  return true;
}

void CControlUI::RemoveAllCustomAttributes() {
  for (int i = 0; i < customAttributes_.GetSize(); ++i) {
    delete static_cast<CUIString*>(customAttributes_.Find(customAttributes_.GetAt(i), false));
  }
  customAttributes_.RemoveAll();
}

void CControlUI::SetBkColor(DWORD color) {
  if (bkColor_ == color) return;
  bkColor_ = color;
  Invalidate();
}
void CControlUI::SetBkColor2(DWORD color) {
  if (bkColor2_ == color) return;
  bkColor2_ = color;
  Invalidate();
}
void CControlUI::SetBkColor3(DWORD color) {
  if (bkColor3_ == color) return;
  bkColor3_ = color;
  Invalidate();
}

void CControlUI::SetBkImage(const wchar_t* image) {
  if (bkImage_.attribute == image && bkImage_.image != nullptr) return;
  bkImage_.SetAttribute(image);
  if (manager_ != nullptr && !bkImage_.attribute.IsEmpty()) {
    // Parse and load now, so a floating control can take the image's size.
    const RECT none = {0, 0, 0, 0};
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    CUIRender::DrawImageString(dc.get(), manager_, none, none, bkImage_);
    if (float_ && fixedSize_.cx == 0 && fixedSize_.cy == 0 && bkImage_.image != nullptr) {
      fixedSize_.cx = bkImage_.image->width;
      fixedSize_.cy = bkImage_.image->height;
    }
  }
  Invalidate();
}

void CControlUI::SetBorderColor(DWORD color) {
  if (borderColor_ == color) return;
  borderColor_ = color;
  Invalidate();
}
void CControlUI::SetFocusBorderColor(DWORD color) {
  if (focusBorderColor_ == color) return;
  focusBorderColor_ = color;
  Invalidate();
}
void CControlUI::SetColorHSL(bool hsl) {
  if (colorHSL_ == hsl) return;
  colorHSL_ = hsl;
  Invalidate();
}
void CControlUI::SetBorderSize(RECT size) {
  borderSize_ = size;
  Invalidate();
}
void CControlUI::SetBorderSize(int size) { SetBorderSize(RECT{size, size, size, size}); }
void CControlUI::SetBorderRound(SIZE round) {
  borderRound_ = round;
  Invalidate();
}
void CControlUI::SetBorderStyle(int style) {
  borderStyle_ = style;
  Invalidate();
}

CUIString CControlUI::GetVirtualWnd() const {
  if (!virtualWnd_.IsEmpty()) return virtualWnd_;
  return parent_ ? parent_->GetVirtualWnd() : CUIString();
}

void CControlUI::SetVirtualWnd(const wchar_t* name) {
  virtualWnd_ = name;
  if (manager_ != nullptr) manager_->SetUsesVirtualWindows(true);
}

}  // namespace SkinUI
