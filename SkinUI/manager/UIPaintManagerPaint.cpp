// The paint cycle: deferred layout, "windowinit" once, the off-screen bitmap
// and the copy of the dirty part to the window.
#include <vector>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

CControlUI* CALLBACK CollectLayoutVisitor(CControlUI* control, LPVOID data) {
  if (control->IsLayoutNeeded()) static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
  return nullptr;
}

}  // namespace

void CUIPaintManager::LayoutIfNeeded(const RECT& client) {
  if (!layoutNeeded_) return;
  layoutNeeded_ = false;
  if (root_ != nullptr && !::IsRectEmpty(&client)) {
    if (root_->IsLayoutNeeded()) {
      offscreen_.Reset();
      root_->Place(client, true);
    } else {
      std::vector<CControlUI*> found;
      root_->FindControl(CollectLayoutVisitor, &found, UIFIND_VISIBLE | UIFIND_ME_FIRST);
      for (CControlUI* control : found) {
        control->Place(control->IsFloat() ? control->GetRelativePos() : control->GetPos(), true);
      }
    }
  }
  if (firstLayout_ && root_ != nullptr) {
    firstLayout_ = false;
    RaiseNotify(root_, L"windowinit", 0, 0, false);
  }
}

void CUIPaintManager::PaintOffscreen(HDC target, const RECT& dirty, const RECT& client) {
  if (!offscreen_.Ensure(target, client.right - client.left, client.bottom - client.top)) {
    // Without a bitmap the tree is painted straight into the window.
    root_->Paint(target, dirty, nullptr);
    return;
  }
  HDC dc = offscreen_.Dc();
  root_->Paint(dc, dirty, nullptr);
  for (int i = 0; i < postPaint_.GetSize(); ++i) static_cast<CControlUI*>(postPaint_.GetAt(i))->PaintAfter(dc, dirty);
  ::BitBlt(target, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, dc, dirty.left,
           dirty.top, SRCCOPY);
}

bool CUIPaintManager::HandlePaint() {
  RECT dirty;
  if (!::GetUpdateRect(window_, &dirty, FALSE)) return false;
  RECT client;
  ::GetClientRect(window_, &client);
  painting_ = true;
  LayoutIfNeeded(client);
  // Moved after the layout so the focus lands in this paint rather than waiting for another one.
  if (focusNeeded_) MoveFocusToNextTab(true);
  // The layout may have invalidated more than the first dirty part.
  RECT more;
  if (::GetUpdateRect(window_, &more, FALSE)) ::UnionRect(&dirty, &dirty, &more);

  PAINTSTRUCT ps;
  HDC target = ::BeginPaint(window_, &ps);
  if (target != nullptr && root_ != nullptr) {
    if (offscreenPaint_) {
      PaintOffscreen(target, dirty, client);
    } else {
      root_->Paint(target, dirty, nullptr);
    }
    if (showDirty_) {
      HBRUSH brush = ::CreateSolidBrush(RGB(255, 0, 0));
      if (brush != nullptr) {
        ::FrameRect(target, &dirty, brush);
        ::DeleteObject(brush);
      }
    }
  }
  ::EndPaint(window_, &ps);
  painting_ = false;
  return true;
}

}  // namespace SkinUI
