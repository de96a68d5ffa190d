#include "SkinUI/manager/UITimer.h"

namespace SkinUI {

TimerRecord* CUITimerList::Find(CControlUI* control, UINT localId, HWND window) {
  for (TimerRecord& record : records_) {
    if (record.control == control && record.localId == localId && record.window == window) return &record;
  }
  return nullptr;
}

const TimerRecord* CUITimerList::FindAlive(HWND window, UINT number) const {
  for (const TimerRecord& record : records_) {
    if (!record.killed && record.window == window && record.number == number) return &record;
  }
  return nullptr;
}

UINT CUITimerList::NextNumber() {
  last_ = (last_ + 1) % 255;
  return last_;
}

std::vector<TimerRecord> CUITimerList::Take(CControlUI* control) {
  std::vector<TimerRecord> taken;
  std::vector<TimerRecord> kept;
  for (const TimerRecord& record : records_) {
    if (control == nullptr || record.control == control) {
      taken.push_back(record);
    } else {
      kept.push_back(record);
    }
  }
  records_.swap(kept);
  return taken;
}

}  // namespace SkinUI
