#include "SkinUI/controls/OptionUI.h"

#include <vector>

#include "SkinUI/controls/AttributeValues.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

struct GroupSearch {
  const COptionUI* self;
  const wchar_t* group;
  std::vector<COptionUI*> mates;
};

CControlUI* CALLBACK CollectGroupMate(CControlUI* control, LPVOID data) {
  auto* search = static_cast<GroupSearch*>(data);
  auto* option = static_cast<COptionUI*>(control->AsInterface(L"Option"));
  if (option != nullptr && option != search->self && option->GetGroup() == search->group) {
    search->mates.push_back(option);
  }
  return nullptr;  // visit the whole tree
}

}  // namespace

COptionUI::COptionUI() = default;

const wchar_t* COptionUI::GetClass() const { return L"Option"; }

void* COptionUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Option") == 0) return this;
  return CButtonUI::AsInterface(name);
}

bool COptionUI::IsSelected() const { return selected_; }

const CUIString& COptionUI::GetGroup() const { return group_; }

void COptionUI::SetGroup(const wchar_t* group) {
  // Groups are found by name in the window's tree when a selection changes,
  // so renaming is all it takes to move between groups.
  group_ = group != nullptr ? group : L"";
}

void COptionUI::DeselectGroupMates() {
  if (manager_ == nullptr || manager_->GetRoot() == nullptr || group_.IsEmpty()) return;
  GroupSearch search{this, group_.GetData(), {}};
  manager_->GetRoot()->FindControl(CollectGroupMate, &search, UIFIND_ALL);
  for (COptionUI* mate : search.mates) mate->Selected(false, true);
}

void COptionUI::Selected(bool selected, bool notify) {
  if (selected_ == selected) return;
  selected_ = selected;
  if (selected_) {
    state_ |= UISTATE_SELECTED;
  } else {
    state_ &= ~UISTATE_SELECTED;
  }
  if (manager_ != nullptr) {
    if (!group_.IsEmpty() && !selected_) {
      Invalidate();
      return;
    }
    if (!group_.IsEmpty()) DeselectGroupMates();
    if (notify) manager_->RaiseNotify(this, L"selectchanged");
  }
  Invalidate();
}

bool COptionUI::Activate() {
  if (!CButtonUI::Activate()) return false;
  if (!group_.IsEmpty() && selected_) {
    // Clicking the selected option of a group reports the selection again.
    if (manager_ != nullptr) manager_->RaiseNotify(this, L"selectchanged");
    return true;
  }
  Selected(group_.IsEmpty() ? !selected_ : true, true);
  return true;
}

void COptionUI::SetEnabled(bool enabled) {
  CControlUI::SetEnabled(enabled);
  if (!IsEnabled()) state_ &= UISTATE_SELECTED;
}

void COptionUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  using namespace AttributeValues;
  const CUIString key(name);
  if (key == L"group") {
    SetGroup(value);
  } else if (key == L"selected") {
    Selected(IsTrue(value), true);
  } else if (key == L"selectedimage") {
    SetSelectedImage(value);
  } else if (key == L"selectedhotimage") {
    SetSelectedHotImage(value);
  } else if (key == L"foreimage") {
    SetOptionForeImage(value);
  } else if (key == L"selectedbkcolor") {
    SetSelectedBkColor(ParseColorText(value));
  } else if (key == L"selectedtextcolor") {
    SetSelectedTextColor(ParseColorText(value));
  } else {
    CButtonUI::SetAttribute(name, value);
  }
}

void COptionUI::PaintStateImage(HDC dc) {
  RefreshState();
  const UINT unpushed = state_ & ~UISTATE_PUSHED;
  if (selected_) {
    bool drawn = false;
    if ((state_ & UISTATE_HOT) != 0) drawn = DrawState(dc, selectedHotImage_);
    if (!drawn) drawn = DrawState(dc, selectedImage_);
    if (!drawn && selectedBkColor_ != 0) {
      CUIRender::DrawColor(dc, paint_, AdjustColor(selectedBkColor_));
      drawn = true;
    }
    if (!drawn) PaintButtonStateImage(dc, unpushed);
  } else {
    PaintButtonStateImage(dc, unpushed);
  }
  DrawState(dc, optionForeImage_);
}

void COptionUI::PaintText(HDC dc) {
  RefreshState();
  if (!selected_) {
    PaintButtonText(dc, state_ & ~UISTATE_PUSHED);
    return;
  }
  if (text_.IsEmpty()) return;
  ResolveTextColors();
  DWORD color = selectedTextColor_ != 0 ? selectedTextColor_ : textColor_;
  if (!IsEnabled()) color = disabledTextColor_;
  DrawLabelText(dc, TextArea(), color, textStyle_);
}

const wchar_t* CCheckBoxUI::GetClass() const { return L"CheckBox"; }

void* CCheckBoxUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"CheckBox") == 0) return this;
  return COptionUI::AsInterface(name);
}

}  // namespace SkinUI
