#include "SkinUI/controls/FrameAnimator.h"

#include <cwchar>

#include "SkinUI/controls/AttributeValues.h"
#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {

CFrameAnimator::CFrameAnimator(int interval, bool roundTrip) : interval_(interval) {
  sequence_.roundTrip = roundTrip;
}

bool CFrameAnimator::SetAttribute(const wchar_t* name, const wchar_t* value) {
  using namespace AttributeValues;
  const CUIString key(name);
  if (key == L"sequencebkimage") {
    SetPattern(value);
  } else if (key.CompareNoCase(L"sequencecount") == 0) {
    SetCount(ToInt(value));
  } else if (key.CompareNoCase(L"sequencespan") == 0) {
    SetInterval(ToInt(value));
  } else if (key.CompareNoCase(L"sequenceloop") == 0) {
    sequence_.loop = IsNotFalse(value);
  } else if (key.CompareNoCase(L"autostart") == 0) {
    autoStart_ = IsNotFalse(value);
  } else if (key.CompareNoCase(L"sequenceround") == 0) {
    sequence_.roundTrip = IsNotFalse(value);
  } else {
    return false;
  }
  return true;
}

CUIString CFrameAnimator::FrameName(int frame) const {
  // The pattern comes from the skin: swprintf with a bounded buffer keeps a
  // long pattern from writing past the name.
  wchar_t name[260] = {};
  const int written = std::swprintf(name, 260, pattern_.GetData(), frame);
  if (written < 0) name[259] = L'\0';
  return CUIString(name);
}

bool CFrameAnimator::Start(CUIPaintManager* manager, CControlUI* owner) {
  sequence_.Restart();
  running_ = true;
  if (manager == nullptr) return false;
  // A timer that already runs keeps its interval; the sequence still restarts.
  return manager->SetTimer(owner, kTimerId, static_cast<UINT>(interval_ > 0 ? interval_ : 1));
}

CUIString CFrameAnimator::Tick(CUIPaintManager* manager, CControlUI* owner) {
  if (pattern_.IsEmpty()) return CUIString();
  const int frame = sequence_.Tick();
  if (frame < 0) {
    running_ = false;
    // Best effort: without a window there is no timer to kill.
    if (manager != nullptr) manager->KillTimer(owner, kTimerId);
    return CUIString();
  }
  return FrameName(frame);
}

}  // namespace SkinUI
