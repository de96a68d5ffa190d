// Per-window timers of controls and the manager's listener lists.
#include <algorithm>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

bool AddUnique(CUIPtrArray& list, void* item) {
  if (item == nullptr || list.Find(item) >= 0) return false;
  return list.Add(item);
}

bool RemoveItem(CUIPtrArray& list, void* item) {
  const int index = list.Find(item);
  return index >= 0 && list.Remove(index);
}

bool NumberInUse(const CUITimerList& timers, HWND window, UINT number) {
  for (const TimerRecord& record : timers.Records()) {
    if (record.window == window && record.number == number) return true;
  }
  return false;
}

void StopAll(const std::vector<TimerRecord>& records) {
  for (const TimerRecord& record : records) {
    // A window that is already gone took its timers with it.
    if (!record.killed) ::KillTimer(record.window, record.number);
  }
}

}  // namespace

bool CUIPaintManager::SetTimer(CControlUI* control, UINT id, UINT interval) {
  if (window_ == nullptr || control == nullptr) return false;
  if (TimerRecord* record = timers_.Find(control, id, window_)) {
    if (!record->killed) return false;
    if (::SetTimer(window_, record->number, interval, nullptr) == 0) return false;
    record->killed = false;
    return true;
  }
  // Numbers wrap after 254; one still held by another record would silently take over its timer.
  UINT number = timers_.NextNumber();
  for (int tries = 0; tries < 255 && NumberInUse(timers_, window_, number); ++tries) number = timers_.NextNumber();
  if (NumberInUse(timers_, window_, number)) return false;
  if (::SetTimer(window_, number, interval, nullptr) == 0) return false;
  TimerRecord record;
  record.control = control;
  record.localId = id;
  record.window = window_;
  record.number = number;
  timers_.Add(record);
  return true;
}

bool CUIPaintManager::KillTimer(CControlUI* control, UINT id) {
  TimerRecord* record = timers_.Find(control, id, window_);
  if (record == nullptr || record->killed) return false;
  ::KillTimer(record->window, record->number);
  record->killed = true;
  return true;
}

void CUIPaintManager::KillTimer(CControlUI* control) {
  if (control != nullptr) StopAll(timers_.Take(control));
}

void CUIPaintManager::RemoveAllTimers() { StopAll(timers_.Take(nullptr)); }

bool CUIPaintManager::AddMessageFilter(IMessageFilterUI* filter) { return AddUnique(messageFilters_, filter); }
bool CUIPaintManager::RemoveMessageFilter(IMessageFilterUI* filter) { return RemoveItem(messageFilters_, filter); }
bool CUIPaintManager::AddPreMessageFilter(IMessageFilterUI* filter) { return AddUnique(preMessageFilters_, filter); }
bool CUIPaintManager::RemovePreMessageFilter(IMessageFilterUI* filter) {
  return RemoveItem(preMessageFilters_, filter);
}
bool CUIPaintManager::AddTranslateAccelerator(ITranslateAccelerator* handler) {
  return AddUnique(translateAccelerators_, handler);
}
bool CUIPaintManager::RemoveTranslateAccelerator(ITranslateAccelerator* handler) {
  return RemoveItem(translateAccelerators_, handler);
}
bool CUIPaintManager::AddPostPaint(CControlUI* control) { return AddUnique(postPaint_, control); }
bool CUIPaintManager::RemovePostPaint(CControlUI* control) { return RemoveItem(postPaint_, control); }
bool CUIPaintManager::AddMouseLeaveNeeded(CControlUI* control) { return AddUnique(mouseLeaveNeeded_, control); }
bool CUIPaintManager::RemoveMouseLeaveNeeded(CControlUI* control) { return RemoveItem(mouseLeaveNeeded_, control); }

bool CUIPaintManager::AddNativeWindow(CControlUI* control, HWND window) {
  if (control == nullptr || window == nullptr) return false;
  for (const auto& entry : nativeWindows_) {
    if (entry.second == window) return false;
  }
  nativeWindows_.emplace_back(control, window);
  return true;
}

bool CUIPaintManager::RemoveNativeWindow(HWND window) {
  const auto it = std::find_if(nativeWindows_.begin(), nativeWindows_.end(),
                               [window](const std::pair<CControlUI*, HWND>& entry) { return entry.second == window; });
  if (it == nativeWindows_.end()) return false;
  nativeWindows_.erase(it);
  return true;
}

}  // namespace SkinUI
