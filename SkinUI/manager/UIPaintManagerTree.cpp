// The paint manager's control tree: attaching and binding, the name map,
// invalidation, focus and notifications.
#include <cwchar>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

CControlUI* CALLBACK BindVisitor(CControlUI* control, LPVOID data) {
  auto* manager = static_cast<CUIPaintManager*>(data);
  const CUIString name = control->GetName();
  if (!name.IsEmpty()) manager->ReindexControl(control, name);
  return nullptr;  // visit everything
}

CControlUI* CALLBACK HitVisitor(CControlUI* control, LPVOID /*data*/) { return control; }

struct TabSearch {
  CControlUI* focus = nullptr;
  bool forward = true;
  CControlUI* last = nullptr;
  CControlUI* first = nullptr;
  CControlUI* previous = nullptr;
  bool passedFocus = false;
};

CControlUI* CALLBACK TabVisitor(CControlUI* control, LPVOID data) {
  auto* search = static_cast<TabSearch*>(data);
  if (control == search->focus) {
    search->passedFocus = true;
    if (!search->forward) return search->previous ? search->previous : nullptr;
    return nullptr;
  }
  if ((control->GetControlFlags() & UIFLAG_TABSTOP) == 0) return nullptr;
  if (search->first == nullptr) search->first = control;
  search->last = control;
  if (search->forward && (search->passedFocus || search->focus == nullptr)) return control;
  search->previous = control;
  return nullptr;
}

void SendFocusEvent(CControlUI* control, int type) {
  UIEvent event;
  event.Type = type;
  event.pSender = control;
  event.dwTimestamp = ::GetTickCount();
  control->DispatchEvent(event);
}

}  // namespace

CUIPaintManager::~CUIPaintManager() {
  ReapDelayedCleanup();
  if (root_ != nullptr) {
    CControlUI* root = root_;
    root_ = nullptr;
    focus_ = nullptr;
    root->Delete();
  }
  nameMap_.RemoveAll();
  ReleaseTables();
}

bool CUIPaintManager::AttachRoot(CControlUI* root) {
  if (focus_ != nullptr) {
    CControlUI* old = focus_;
    focus_ = nullptr;
    SendFocusEvent(old, UIEVENT_KILLFOCUS);
    RaiseNotify(old, L"killfocus");
  }
  ClearInputState();
  if (root_ != nullptr) {
    ReapDelayedCleanup();
    asyncNotify_.clear();
    nameMap_.RemoveAll();
    root_->BindManager(nullptr, nullptr, false);
    delayedCleanup_.Add(root_);
  }
  root_ = root;
  layoutNeeded_ = true;
  firstLayout_ = true;
  focusNeeded_ = true;
  if (root == nullptr) return false;
  BindSubtree(root);
  return true;
}

void CUIPaintManager::BindSubtree(CControlUI* control, CControlUI* parent) {
  if (control == nullptr) return;
  control->BindManager(this, parent ? parent : control->GetParent(), true);
  control->FindControl(BindVisitor, this, UIFIND_ALL);
}

void CUIPaintManager::ReindexControl(CControlUI* control, const wchar_t* name) {
  if (control == nullptr || name == nullptr || *name == L'\0') return;
  // The old name of this control leaves the map; a later control of a name replaces the earlier one.
  for (int i = 0; i < nameMap_.GetSize(); ++i) {
    const wchar_t* key = nameMap_.GetAt(i);
    if (nameMap_.Find(key, false) == control && std::wcscmp(key, name) != 0) {
      nameMap_.Remove(key);
      break;
    }
  }
  nameMap_.Set(name, control);
}

void CUIPaintManager::ForgetControl(CControlUI* control) {
  if (control == nullptr) return;
  if (focus_ == control) focus_ = nullptr;
  if (root_ == control) root_ = nullptr;
  ForgetWindowState(control);
  const CUIString name = control->GetName();
  if (!name.IsEmpty() && nameMap_.Find(name, false) == control) nameMap_.Remove(name);
  for (NotifyMsg& msg : asyncNotify_) {
    if (msg.pSender == control) msg.pSender = nullptr;
  }
  const int pending = delayedCleanup_.Find(control);
  if (pending >= 0) delayedCleanup_.Remove(pending);
}

CControlUI* CUIPaintManager::FindControl(const wchar_t* name) const {
  if (name == nullptr) return nullptr;
  return static_cast<CControlUI*>(nameMap_.Find(name));
}

CControlUI* CUIPaintManager::FindControl(POINT point) const {
  if (root_ == nullptr) return nullptr;
  return root_->FindControl(HitVisitor, &point, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

void CUIPaintManager::AddDelayedCleanup(CControlUI* control) {
  if (control == nullptr) return;
  control->BindManager(this, nullptr, false);
  delayedCleanup_.Add(control);
  PostDrainMessage();
}

void CUIPaintManager::ReapDelayedCleanup() {
  while (delayedCleanup_.GetSize() > 0) {
    auto* control = static_cast<CControlUI*>(delayedCleanup_.GetAt(0));
    delayedCleanup_.Remove(0);
    control->Delete();
  }
}

void CUIPaintManager::Invalidate(const RECT& rect) {
  RECT clamped = rect;
  if (clamped.left < 0) clamped.left = 0;
  if (clamped.top < 0) clamped.top = 0;
  if (clamped.right < clamped.left) clamped.right = clamped.left;
  if (clamped.bottom < clamped.top) clamped.bottom = clamped.top;
  if (::IsRectEmpty(&clamped)) return;
  ::UnionRect(&invalid_, &invalid_, &clamped);
  if (window_ != nullptr) ::InvalidateRect(window_, &clamped, FALSE);
}

void CUIPaintManager::Invalidate() {
  if (window_ != nullptr) {
    RECT client;
    ::GetClientRect(window_, &client);
    Invalidate(client);
  } else if (root_ != nullptr) {
    Invalidate(root_->GetPos());
  }
}

void CUIPaintManager::SetFocus(CControlUI* control, bool focusWindow) {
  if (focusWindow && window_ != nullptr && ::GetFocus() != window_ && control != focus_ && !noActivate_) {
    ::SetFocus(window_);
  }
  if (control == focus_) return;
  if (focus_ != nullptr) {
    CControlUI* old = focus_;
    focus_ = nullptr;
    SendFocusEvent(old, UIEVENT_KILLFOCUS);
    RaiseNotify(old, L"killfocus");
  }
  if (control == nullptr) return;
  if (control->GetOwnerManager() == this && control->IsVisible() && control->IsEnabled()) {
    focus_ = control;
    SendFocusEvent(control, UIEVENT_SETFOCUS);
    RaiseNotify(control, L"setfocus");
  }
}

void CUIPaintManager::MoveFocusToNextTab(bool forward) {
  if (layoutNeeded_ && forward) {
    focusNeeded_ = true;
    Invalidate();
    return;
  }
  if (root_ == nullptr) return;
  TabSearch search;
  search.focus = focus_;
  search.forward = forward;
  CControlUI* found =
      root_->FindControl(TabVisitor, &search, UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST);
  if (found == nullptr) found = forward ? search.first : search.last;
  if (found != nullptr) SetFocus(found);
  focusNeeded_ = false;
}

bool CUIPaintManager::AddNotifier(INotifyUI* notifier) {
  if (notifier == nullptr || notifiers_.Find(notifier) >= 0) return false;
  return notifiers_.Add(notifier);
}

bool CUIPaintManager::RemoveNotifier(INotifyUI* notifier) {
  const int index = notifiers_.Find(notifier);
  return index >= 0 && notifiers_.Remove(index);
}

void CUIPaintManager::RaiseNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam,
                                  bool asynchronous) {
  NotifyMsg msg;
  msg.pSender = sender;
  msg.sType = type;
  msg.wParam = wParam;
  msg.lParam = lParam;
  RaiseNotify(msg, asynchronous, true);
}

void CUIPaintManager::RaiseNotify(NotifyMsg& msg, bool asynchronous, bool enableRepeat) {
  msg.ptMouse = lastMouse_;
  msg.dwTimestamp = ::GetTickCount();
  if (usesVirtualWindows_ && msg.pSender != nullptr) msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
  if (!asynchronous) {
    if (msg.pSender != nullptr) msg.pSender->OnNotify(&msg);
    for (int i = 0; i < notifiers_.GetSize(); ++i) static_cast<INotifyUI*>(notifiers_.GetAt(i))->Notify(msg);
    return;
  }
  if (!enableRepeat) {
    for (NotifyMsg& queued : asyncNotify_) {
      if (queued.pSender == msg.pSender && queued.sType == msg.sType) {
        queued.wParam = msg.wParam;
        queued.lParam = msg.lParam;
        queued.ptMouse = msg.ptMouse;
        queued.dwTimestamp = msg.dwTimestamp;
        return;
      }
    }
  }
  asyncNotify_.push_back(msg);
  PostDrainMessage();
}

void CUIPaintManager::DrainNotifyQueue() {
  while (!asyncNotify_.empty()) {
    NotifyMsg msg = asyncNotify_.front();
    asyncNotify_.erase(asyncNotify_.begin());
    if (msg.pSender != nullptr) msg.pSender->OnNotify(&msg);
    for (int i = 0; i < notifiers_.GetSize(); ++i) static_cast<INotifyUI*>(notifiers_.GetAt(i))->Notify(msg);
  }
  ReapDelayedCleanup();
}

}  // namespace SkinUI
