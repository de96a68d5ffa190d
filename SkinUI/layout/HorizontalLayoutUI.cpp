#include "SkinUI/layout/HorizontalLayoutUI.h"

#include <cwchar>

namespace SkinUI {
namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

}  // namespace

const wchar_t* CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayout"; }

void* CHorizontalLayoutUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"HorizontalLayout") == 0) {
    return static_cast<CHorizontalLayoutUI*>(this);
  }
  return CContainerUI::AsInterface(name);
}

UINT CHorizontalLayoutUI::GetBehaviourFlags() const {
  return (IsEnabled() && sepWidth_ != 0) ? static_cast<UINT>(UIFLAG_SETCURSOR) : 0u;
}

void CHorizontalLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name != nullptr && value != nullptr && std::wcscmp(name, L"sepwidth") == 0) {
    sepWidth_ = static_cast<int>(std::wcstol(value, nullptr, 10));
  } else if (name != nullptr && value != nullptr && std::wcscmp(name, L"sepimm") == 0) {
    sepImm_ = std::wcscmp(value, L"true") == 0;
  } else {
    CContainerUI::SetAttribute(name, value);
  }
}

void CHorizontalLayoutUI::Place(RECT rect, bool invalidate) {
  CControlUI::Place(rect, invalidate);
  const RECT rc = InnerRect();
  if (items_.IsEmpty()) {
    UpdateScrollBars(rc, 0, 0);
    return;
  }
  const SIZE available = {rc.right - rc.left, rc.bottom - rc.top};

  // First pass: children without a fixed width stretch and are not measured.
  int stretchy = 0, fixedTotal = 0, neededHeight = 0, counted = 0;
  for (int i = 0; i < items_.GetSize(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (!child->IsVisible() || child->IsFloat()) continue;
    const RECT p = child->GetPadding();
    SIZE s;
    if (child->GetFixedWidth() == 0) {
      ++stretchy;
      s = SIZE{0, child->GetFixedHeight()};
    } else {
      SIZE limit;
      limit.cx = child->GetFixedWidth();
      if (limit.cx > available.cx) limit.cx = available.cx;
      limit.cy = child->GetFixedHeight() < 1 ? child->GetMaxHeight() : child->GetFixedHeight();
      if (limit.cy > available.cy - p.top - p.bottom) limit.cy = available.cy - p.top - p.bottom;
      s = child->MeasureSize(limit);
      if (s.cx == 0) {
        ++stretchy;
      } else {
        s.cx = Clamp(s.cx, child->GetMinWidth(), child->GetMaxWidth());
      }
    }
    fixedTotal += p.left + p.right + s.cx;
    if (s.cy < 0) s.cy = 0;
    s.cy = Clamp(s.cy, child->GetMinHeight(), child->GetMaxHeight());
    if (p.top + p.bottom + s.cy > neededHeight) neededHeight = p.top + p.bottom + s.cy;
    ++counted;
  }
  fixedTotal += (counted - 1) * childPadding_;

  int share = 0;
  if (stretchy > 0) share = (available.cx - fixedTotal) / stretchy;
  if (share < 0) share = 0;

  int x = rc.left;
  int remaining = available.cx;
  int fixedLeft = fixedTotal;
  int neededWidth = 0;
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
    remaining -= p.left;
    SIZE limit;
    limit.cx = child->GetFixedWidth() < 1 ? child->GetMaxWidth() : child->GetFixedWidth();
    if (limit.cx > remaining) limit.cx = remaining;
    limit.cy = child->GetFixedHeight() < 1 ? child->GetMaxHeight() : child->GetFixedHeight();
    if (limit.cy > available.cy - p.top - p.bottom) limit.cy = available.cy - p.top - p.bottom;
    fixedLeft -= p.left + p.right;
    if (laidOut > 1) fixedLeft -= childPadding_;
    SIZE s = child->MeasureSize(limit);
    if (child->GetFixedWidth() == 0 || s.cx == 0) {
      ++stretchSeen;
      s.cx = share;
      if (stretchSeen == stretchy) {
        s.cx = remaining - p.right - fixedLeft;
        if (s.cx < 0) s.cx = 0;
      }
      s.cx = Clamp(s.cx, child->GetMinWidth(), child->GetMaxWidth());
    } else {
      s.cx = Clamp(s.cx, child->GetMinWidth(), child->GetMaxWidth());
      fixedLeft -= s.cx;
    }

    int h = child->GetMaxHeight();
    if (h == 0) h = available.cy - p.top - p.bottom;
    if (h < 0) h = 0;
    if (h > limit.cy) h = limit.cy;
    if (h < child->GetMinHeight()) h = child->GetMinHeight();

    RECT place;
    if (childVAlign_ == 4) {
      const int cy = (rc.top + rc.bottom) / 2;
      place.top = cy - h / 2;
      place.bottom = place.top + h;
    } else if (childVAlign_ == 8) {
      place.top = rc.bottom - p.bottom - h;
      place.bottom = rc.bottom - p.bottom;
    } else {
      place.top = rc.top + p.top;
      place.bottom = place.top + h;
    }
    place.left = x + p.left;
    place.right = x + p.left + s.cx;
    child->Place(place, false);

    x += s.cx + childPadding_ + p.left + p.right;
    neededWidth += s.cx + p.left + p.right;
    remaining -= s.cx + childPadding_ + p.right;
  }
  neededWidth += (counted - 1) * childPadding_;
  UpdateScrollBars(rc, neededWidth, neededHeight);
}

}  // namespace SkinUI
