#include "SkinUI/layout/VerticalLayoutUI.h"

#include <cwchar>

namespace SkinUI {
namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

}  // namespace

const wchar_t* CVerticalLayoutUI::GetClass() const { return L"VerticalLayout"; }

void* CVerticalLayoutUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"VerticalLayout") == 0) return static_cast<CVerticalLayoutUI*>(this);
  return CContainerUI::AsInterface(name);
}

UINT CVerticalLayoutUI::GetBehaviourFlags() const {
  return (IsEnabled() && sepHeight_ != 0) ? static_cast<UINT>(UIFLAG_SETCURSOR) : 0u;
}

void CVerticalLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name != nullptr && value != nullptr && std::wcscmp(name, L"sepheight") == 0) {
    sepHeight_ = static_cast<int>(std::wcstol(value, nullptr, 10));
  } else if (name != nullptr && value != nullptr && std::wcscmp(name, L"sepimm") == 0) {
    sepImm_ = std::wcscmp(value, L"true") == 0;
  } else {
    CContainerUI::SetAttribute(name, value);
  }
}

void CVerticalLayoutUI::Place(RECT rect, bool invalidate) {
  CControlUI::Place(rect, invalidate);
  const RECT rc = InnerRect();
  if (items_.IsEmpty()) {
    UpdateScrollBars(rc, 0, 0);
    return;
  }
  const SIZE available = {rc.right - rc.left, rc.bottom - rc.top};

  // First pass: what the fixed children take, and how many children stretch.
  int stretchy = 0, fixedTotal = 0, neededWidth = 0, counted = 0;
  for (int i = 0; i < items_.GetSize(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (!child->IsVisible() || child->IsFloat()) continue;
    const RECT p = child->GetPadding();
    SIZE limit;
    limit.cx = child->GetFixedWidth() < 1 ? child->GetMaxWidth() : child->GetFixedWidth();
    if (limit.cx > available.cx - p.left - p.right) limit.cx = available.cx - p.left - p.right;
    limit.cy = child->GetFixedHeight() < 1 ? child->GetMaxHeight() : child->GetFixedHeight();
    if (limit.cy > available.cy) limit.cy = available.cy;
    SIZE s = child->MeasureSize(limit);
    if (s.cy == 0) {
      ++stretchy;
    } else {
      s.cy = Clamp(s.cy, child->GetMinHeight(), child->GetMaxHeight());
    }
    fixedTotal += p.top + p.bottom + s.cy;
    if (s.cx < 0) s.cx = 0;
    s.cx = Clamp(s.cx, child->GetMinWidth(), child->GetMaxWidth());
    if (p.left + p.right + s.cx > neededWidth) neededWidth = p.left + p.right + s.cx;
    ++counted;
  }
  fixedTotal += (counted - 1) * childPadding_;

  int share = 0;
  if (stretchy > 0) share = (available.cy - fixedTotal) / stretchy;
  if (share < 0) share = 0;

  // Second pass: place them.
  int y = rc.top;
  int remaining = available.cy;
  int fixedLeft = fixedTotal;
  int neededHeight = 0;
  int laidOut = 0, stretchSeen = 0;
  for (int i = 0; i < items_.GetSize(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      PlaceFloatingItem(i);
      continue;
    }
    ++laidOut;
    const RECT p = child->GetPadding();
    remaining -= p.top;
    SIZE limit;
    limit.cx = child->GetFixedWidth() < 1 ? child->GetMaxWidth() : child->GetFixedWidth();
    if (limit.cx > available.cx - p.left - p.right) limit.cx = available.cx - p.left - p.right;
    limit.cy = child->GetFixedHeight() < 1 ? child->GetMaxHeight() : child->GetFixedHeight();
    if (limit.cy > remaining) limit.cy = remaining;
    fixedLeft -= p.top + p.bottom;
    if (laidOut > 1) fixedLeft -= childPadding_;
    SIZE s = child->MeasureSize(limit);
    if (s.cy == 0) {
      ++stretchSeen;
      s.cy = share;
      if (stretchSeen == stretchy) {
        s.cy = remaining - p.bottom - fixedLeft;
        if (s.cy < 0) s.cy = 0;
      }
      s.cy = Clamp(s.cy, child->GetMinHeight(), child->GetMaxHeight());
    } else {
      s.cy = Clamp(s.cy, child->GetMinHeight(), child->GetMaxHeight());
      fixedLeft -= s.cy;
    }

    int w = child->GetMaxWidth();
    if (w == 0) w = available.cx - p.left - p.right;
    if (w < 0) w = 0;
    if (w > limit.cx) w = limit.cx;
    if (w < child->GetMinWidth()) w = child->GetMinWidth();

    RECT place;
    if (childAlign_ == 1) {
      const int cx = (rc.left + rc.right) / 2;
      place.left = cx - w / 2;
      place.right = place.left + w;
    } else if (childAlign_ == 2) {
      place.left = rc.right - p.right - w;
      place.right = rc.right - p.right;
    } else {
      place.left = rc.left + p.left;
      place.right = place.left + w;
    }
    place.top = y + p.top;
    place.bottom = y + p.top + s.cy;
    child->Place(place, false);

    y += s.cy + childPadding_ + p.top + p.bottom;
    neededHeight += s.cy + p.top + p.bottom;
    remaining -= s.cy + childPadding_ + p.bottom;
  }
  neededHeight += (counted - 1) * childPadding_;
  UpdateScrollBars(rc, neededWidth, neededHeight);
}

}  // namespace SkinUI
