#include "SkinUI/layout/ContainerUI.h"

#include <cwchar>

#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/ImageAttribute.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

bool Meets(const RECT& a, const RECT& b) {
  RECT common;
  return ::IntersectRect(&common, &a, &b) != FALSE;
}

// A snapshot of a device context's clip that can be selected again.
class SavedClip {
 public:
  explicit SavedClip(HDC dc) : dc_(dc), region_(::CreateRectRgn(0, 0, 0, 0)) {
    hasClip_ = region_ && ::GetClipRgn(dc, region_.get()) == 1;
  }
  void Select() const { ::SelectClipRgn(dc_, hasClip_ ? region_.get() : nullptr); }

 private:
  HDC dc_;
  UniqueRegion region_;
  bool hasClip_ = false;
};

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  delayedDestroy_ = false;
  RemoveAll();
}

const wchar_t* CContainerUI::GetClass() const { return L"Container"; }

void* CContainerUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"IContainer") == 0) return static_cast<IContainerUI*>(this);
  if (name != nullptr && std::wcscmp(name, L"Container") == 0) return static_cast<CContainerUI*>(this);
  return CControlUI::AsInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const { return static_cast<CControlUI*>(items_.GetAt(index)); }

int CContainerUI::GetItemIndex(CControlUI* control) const { return items_.Find(control); }

bool CContainerUI::SetItemIndex(CControlUI* control, int newIndex) {
  const int index = items_.Find(control);
  if (index < 0) return false;
  RequestLayout();
  items_.Remove(index);
  if (!items_.InsertAt(newIndex, control)) {
    items_.InsertAt(index, control);  // an index out of range keeps the old order
    return false;
  }
  return true;
}

bool CContainerUI::MoveItems(CControlUI* first, int count, int newIndex) {
  if (first == nullptr || count < 0 || newIndex < 0) return false;
  const int start = items_.Find(first);
  if (start < 0 || start + count > items_.GetSize() || newIndex + count > items_.GetSize()) return false;
  if (start == newIndex) return true;
  CUIPtrArray run;
  for (int i = 0; i < count; ++i) run.Add(items_.GetAt(start + i));
  for (int i = 0; i < count; ++i) items_.Remove(start);
  for (int i = 0; i < count; ++i) items_.InsertAt(newIndex + i, run.GetAt(i));
  RequestLayout();
  return true;
}

int CContainerUI::GetCount() const { return items_.GetSize(); }

// Not the virtual AddAt: a subclass's own Add and AddAt rules must not both run.
bool CContainerUI::Add(CControlUI* control) { return CContainerUI::AddAt(control, items_.GetSize()); }

bool CContainerUI::AddAt(CControlUI* control, int index) {
  if (control == nullptr || index < 0 || index > items_.GetSize()) return false;
  if (manager_ != nullptr) manager_->BindSubtree(control, this);
  if (IsVisible()) {
    RequestLayout();
  } else {
    control->SetShownByParent(false);
  }
  return items_.InsertAt(index, control);
}

void CContainerUI::DisposeChild(CControlUI* control) {
  if (!autoDestroy_) return;
  if (delayedDestroy_ && manager_ != nullptr) {
    manager_->AddDelayedCleanup(control);
  } else {
    control->Delete();
  }
}

bool CContainerUI::Remove(CControlUI* control, bool keep) {
  const int index = items_.Find(control);
  if (index < 0) return false;
  RequestLayout();
  items_.Remove(index);
  if (!keep) DisposeChild(control);
  return true;
}

bool CContainerUI::RemoveAt(int index, bool keep) {
  CControlUI* control = GetItemAt(index);
  return control != nullptr && Remove(control, keep);
}

void CContainerUI::RemoveAll() {
  while (items_.GetSize() > 0) {
    auto* control = static_cast<CControlUI*>(items_.GetAt(items_.GetSize() - 1));
    items_.Remove(items_.GetSize() - 1);
    DisposeChild(control);
  }
  RequestLayout();
}

void CContainerUI::BindManager(CUIPaintManager* manager, CControlUI* parent, bool init) {
  // Children are initialised before their container.
  for (int i = 0; i < items_.GetSize(); ++i) GetItemAt(i)->BindManager(manager, this, init);
  CControlUI::BindManager(manager, parent, init);
}

RECT CContainerUI::InnerRect() const {
  RECT inner = item_;
  inner.left += inset_.left;
  inner.top += inset_.top;
  inner.right -= inset_.right;
  inner.bottom -= inset_.bottom;
  return inner;
}

RECT CContainerUI::GetClientPos() const { return InnerRect(); }

void CContainerUI::Place(RECT rect, bool invalidate) {
  CControlUI::Place(rect, invalidate);
  if (items_.IsEmpty()) return;
  const RECT inner = InnerRect();
  for (int i = 0; i < items_.GetSize(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatingItem(i);
    } else {
      child->Place(inner, false);
    }
  }
}

void CContainerUI::Move(SIZE offset, bool invalidate) {
  CControlUI::Move(offset, invalidate);
  for (int i = 0; i < items_.GetSize(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (child->IsVisible()) child->Move(offset, false);
  }
}

void CContainerUI::SetVisible(bool visible) {
  if (visible_ == visible) return;
  CControlUI::SetVisible(visible);
  for (int i = 0; i < items_.GetSize(); ++i) GetItemAt(i)->SetShownByParent(IsVisible());
}

void CContainerUI::SetShownByParent(bool shown) {
  CControlUI::SetShownByParent(shown);
  for (int i = 0; i < items_.GetSize(); ++i) GetItemAt(i)->SetShownByParent(IsVisible());
}

void CContainerUI::SetMouseEnabled(bool enabled) { CControlUI::SetMouseEnabled(enabled); }

CControlUI* CContainerUI::FindControl(FindControlProc proc, LPVOID data, UINT flags) {
  if ((flags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
  const bool hitTest = (flags & UIFIND_HITTEST) != 0;
  if (hitTest && !::PtInRect(&item_, *static_cast<const POINT*>(data))) return nullptr;
  if ((flags & UIFIND_UPDATETEST) && proc(this, data) != nullptr) return nullptr;

  const bool selfVisitable = !hitTest || mouseEnabled_;
  const bool childrenVisitable = !hitTest || mouseChildEnabled_;
  if ((flags & UIFIND_ME_FIRST) && selfVisitable) {
    if (CControlUI* found = proc(this, data)) return found;
  }
  if (cover_ != nullptr && childrenVisitable) {
    if (CControlUI* found = cover_->FindControl(proc, data, flags)) return found;
  }
  if (childrenVisitable) {
    const RECT inner = InnerRect();
    const int count = items_.GetSize();
    for (int k = 0; k < count; ++k) {
      const int i = (flags & UIFIND_TOP_FIRST) ? count - 1 - k : k;
      CControlUI* found = GetItemAt(i)->FindControl(proc, data, flags);
      if (found == nullptr) continue;
      if (!hitTest || found->IsFloat() || ::PtInRect(&inner, *static_cast<const POINT*>(data))) return found;
    }
  }
  if (!(flags & UIFIND_ME_FIRST) && selfVisitable) return proc(this, data);
  return nullptr;
}

void CContainerUI::HandleEvent(UIEvent& event) {
  if (!mouseEnabled_ && IsMouseEvent(event.Type)) {
    if (parent_ != nullptr) {
      parent_->HandleEvent(event);
    } else {
      CControlUI::HandleEvent(event);
    }
    return;
  }
  if (event.Type == UIEVENT_SETFOCUS) {
    focused_ = true;
    return;
  }
  if (event.Type == UIEVENT_KILLFOCUS) {
    focused_ = false;
    return;
  }
  CControlUI::HandleEvent(event);
}

void CContainerUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  const CUIString key(name);
  if (key == L"inset") {
    SetInset(ParseRectText(value));
  } else if (key == L"mousechild") {
    SetMouseChildEnabled(std::wcscmp(value, L"true") == 0);
  } else if (key == L"childpadding") {
    SetChildPadding(static_cast<int>(std::wcstol(value, nullptr, 10)));
  } else if (key == L"childalign") {
    if (std::wcscmp(value, L"left") == 0) SetChildAlign(0);
    else if (std::wcscmp(value, L"center") == 0) SetChildAlign(1);
    else if (std::wcscmp(value, L"right") == 0) SetChildAlign(2);
  } else if (key == L"childvalign") {
    if (std::wcscmp(value, L"top") == 0) SetChildVAlign(0);
    else if (std::wcscmp(value, L"vcenter") == 0) SetChildVAlign(4);
    else if (std::wcscmp(value, L"bottom") == 0) SetChildVAlign(8);
  } else if (key == L"vscrollbar" || key == L"hscrollbar" || key == L"vscrollbarstyle" ||
             key == L"hscrollbarstyle") {
    // Scroll bars are not carried; the installer's layouts have none.
  } else {
    CControlUI::SetAttribute(name, value);
  }
}

bool CContainerUI::PaintContent(HDC dc, const RECT& dirty, CControlUI* stop) {
  RECT work;
  if (!::IntersectRect(&work, &dirty, &item_)) return true;
  CRenderClip clip(dc, work);
  CControlUI::PaintContent(dc, dirty, stop);
  if (items_.IsEmpty()) return true;
  const RECT inner = InnerRect();
  RECT dirtyInner;
  if (::IntersectRect(&dirtyInner, &dirty, &inner)) {
    const SavedClip containerClip(dc);
    CRenderClip childClip(dc, dirtyInner);
    const SavedClip innerClip(dc);
    for (int i = 0; i < items_.GetSize(); ++i) {
      CControlUI* child = GetItemAt(i);
      if (child == stop) return false;
      if (!child->IsVisible() || !Meets(dirty, child->GetPos())) continue;
      if (child->IsFloat()) {
        if (!Meets(item_, child->GetPos())) continue;
        // Floating children may paint outside the inner rectangle.
        containerClip.Select();
        const bool painted = child->Paint(dc, dirty, stop);
        innerClip.Select();
        if (!painted) return false;
      } else {
        if (!Meets(inner, child->GetPos())) continue;
        if (!child->Paint(dc, dirty, stop)) return false;
      }
    }
  } else {
    for (int i = 0; i < items_.GetSize(); ++i) {
      CControlUI* child = GetItemAt(i);
      if (child == stop) return false;
      if (!child->IsVisible() || !child->IsFloat()) continue;
      if (!Meets(dirty, child->GetPos()) || !Meets(item_, child->GetPos())) continue;
      if (!child->Paint(dc, dirty, stop)) return false;
    }
  }
  return true;
}

RECT CContainerUI::GetInset() const { return inset_; }
void CContainerUI::SetInset(RECT inset) {
  inset_ = inset;
  RequestLayout();
}
int CContainerUI::GetChildPadding() const { return childPadding_; }
void CContainerUI::SetChildPadding(int padding) {
  childPadding_ = padding < 0 ? 0 : padding;
  RequestLayout();
}
UINT CContainerUI::GetChildAlign() const { return childAlign_; }
void CContainerUI::SetChildAlign(UINT align) {
  childAlign_ = align;
  RequestLayout();
}
UINT CContainerUI::GetChildVAlign() const { return childVAlign_; }
void CContainerUI::SetChildVAlign(UINT align) {
  childVAlign_ = align;
  RequestLayout();
}
bool CContainerUI::IsAutoDestroy() const { return autoDestroy_; }
void CContainerUI::SetAutoDestroy(bool autoDestroy) { autoDestroy_ = autoDestroy; }
bool CContainerUI::IsDelayedDestroy() const { return delayedDestroy_; }
void CContainerUI::SetDelayedDestroy(bool delayed) { delayedDestroy_ = delayed; }
bool CContainerUI::IsMouseChildEnabled() const { return mouseChildEnabled_; }
void CContainerUI::SetMouseChildEnabled(bool enabled) { mouseChildEnabled_ = enabled; }
SIZE CContainerUI::GetScrollPos() const { return SIZE{0, 0}; }
SIZE CContainerUI::GetScrollRange() const { return SIZE{0, 0}; }
void CContainerUI::SetScrollPos(SIZE /*pos*/) {}

void CContainerUI::PlaceFloatingItem(int index) {
  CControlUI* child = GetItemAt(index);
  if (child == nullptr || !child->IsVisible() || !child->IsFloat()) return;
  const int width = item_.right - item_.left, height = item_.bottom - item_.top;
  const SIZE xy = child->GetFixedXY();
  const FloatPercent percent = child->GetFloatPercent();
  RECT rect;
  rect.left = static_cast<int>(width * percent.left) + xy.cx;
  rect.top = static_cast<int>(height * percent.top) + xy.cy;
  rect.right = static_cast<int>(width * percent.right) + xy.cx + child->GetFixedWidth();
  rect.bottom = static_cast<int>(height * percent.bottom) + xy.cy + child->GetFixedHeight();
  child->Place(rect, false);
}

void CContainerUI::UpdateScrollBars(const RECT& /*inner*/, int /*neededWidth*/, int /*neededHeight*/) {}

}  // namespace SkinUI
