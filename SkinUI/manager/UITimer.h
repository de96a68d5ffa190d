#pragma once
// The per-window timer records of a paint manager. A control names its timer
// by a local id; the window timer gets a number of its own, counted on from
// the last one modulo 255 (the first is 17). Killed records stay so a restart
// reuses the number.
#include <windows.h>

#include <vector>

namespace SkinUI {

class CControlUI;

struct TimerRecord {
  CControlUI* control = nullptr;
  UINT localId = 0;
  HWND window = nullptr;
  UINT number = 0;
  bool killed = false;
};

class CUITimerList {
 public:
  TimerRecord* Find(CControlUI* control, UINT localId, HWND window);
  // The alive record of that window timer, or null.
  const TimerRecord* FindAlive(HWND window, UINT number) const;
  // Advances and returns the next window timer number.
  UINT NextNumber();
  UINT LastNumber() const { return last_; }
  void Add(const TimerRecord& record) { records_.push_back(record); }
  // Removes and returns the records of a control (all records for null).
  std::vector<TimerRecord> Take(CControlUI* control);
  const std::vector<TimerRecord>& Records() const { return records_; }

 private:
  std::vector<TimerRecord> records_;
  UINT last_ = 4096;
};

}  // namespace SkinUI
