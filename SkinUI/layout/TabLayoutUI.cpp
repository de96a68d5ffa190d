#include "SkinUI/layout/TabLayoutUI.h"

#include <cwchar>

#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

}  // namespace

const wchar_t* CTabLayoutUI::GetClass() const { return L"TabLayout"; }

void* CTabLayoutUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"TabLayout") == 0) return static_cast<CTabLayoutUI*>(this);
  return CContainerUI::AsInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) {
  if (!CContainerUI::Add(control)) return false;
  if (currentSel_ == -1 && control->IsVisible()) {
    currentSel_ = GetItemIndex(control);
  } else {
    control->SetVisible(false);
  }
  return true;
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
  if (!CContainerUI::AddAt(control, index)) return false;
  if (currentSel_ == -1 && control->IsVisible()) {
    currentSel_ = GetItemIndex(control);
  } else if (currentSel_ == -1 || index > currentSel_) {
    control->SetVisible(false);
  } else {
    ++currentSel_;
  }
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool keep) {
  if (control == nullptr) return false;
  const int index = GetItemIndex(control);
  if (!CContainerUI::Remove(control, keep)) return false;
  if (currentSel_ == index) {
    if (GetCount() > 0) {
      currentSel_ = 0;
      GetItemAt(0)->SetVisible(true);
    } else {
      currentSel_ = -1;
    }
    RequestParentLayout();
  } else if (currentSel_ > index) {
    --currentSel_;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  currentSel_ = -1;
  CContainerUI::RemoveAll();
  RequestParentLayout();
}

bool CTabLayoutUI::SelectItem(int index, bool sendNotify) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == currentSel_) return true;
  const int old = currentSel_;
  currentSel_ = index;
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (i == index) {
      child->SetVisible(true);
      child->SetFocus();
    } else {
      child->SetVisible(false);
    }
  }
  RequestParentLayout();
  if (manager_ != nullptr) {
    manager_->SetFocusNeeded(true);
    manager_->MoveFocusToNextTab();
    if (sendNotify) manager_->RaiseNotify(this, L"tabselect", static_cast<WPARAM>(currentSel_), static_cast<LPARAM>(old));
  }
  return true;
}

void CTabLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name != nullptr && value != nullptr && std::wcscmp(name, L"selectedid") == 0) {
    SelectItem(static_cast<int>(std::wcstol(value, nullptr, 10)));
  }
  CContainerUI::SetAttribute(name, value);
}

void CTabLayoutUI::Place(RECT rect, bool invalidate) {
  CControlUI::Place(rect, invalidate);
  const RECT rc = InnerRect();
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatingItem(i);
      continue;
    }
    if (i != currentSel_) continue;
    const RECT p = child->GetPadding();
    const RECT inner = {rc.left + p.left, rc.top + p.top, rc.right - p.right, rc.bottom - p.bottom};
    SIZE s = child->MeasureSize(SIZE{inner.right - inner.left, inner.bottom - inner.top});
    if (s.cx == 0) s.cx = inner.right - inner.left > 0 ? inner.right - inner.left : 0;
    if (s.cy == 0) s.cy = inner.bottom - inner.top > 0 ? inner.bottom - inner.top : 0;
    s.cx = Clamp(s.cx, child->GetMinWidth(), child->GetMaxWidth());
    s.cy = Clamp(s.cy, child->GetMinHeight(), child->GetMaxHeight());
    child->Place(RECT{inner.left, inner.top, inner.left + s.cx, inner.top + s.cy}, false);
  }
}

}  // namespace SkinUI
