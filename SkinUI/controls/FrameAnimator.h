#pragma once
// The animation state shared by the frame-sequence label and button: the
// frame file pattern, count, interval, autostart and the frame order. The
// owning control feeds it timer ticks and shows the frame names it returns.
#include <windows.h>

#include "SkinUI/controls/FrameSequence.h"
#include "SkinUI/core/UIString.h"

namespace SkinUI {

class CControlUI;
class CUIPaintManager;

class CFrameAnimator {
 public:
  // Control timer id of the animation.
  static constexpr UINT kTimerId = 2100;

  explicit CFrameAnimator(int interval, bool roundTrip);

  // Takes the animation attributes; false for any other name.
  bool SetAttribute(const wchar_t* name, const wchar_t* value);

  void SetPattern(const wchar_t* pattern) { pattern_ = pattern != nullptr ? pattern : L""; }
  const CUIString& GetPattern() const { return pattern_; }
  void SetCount(int count) { sequence_.count = count; }
  int GetCount() const { return sequence_.count; }
  void SetInterval(int interval) { interval_ = interval; }
  int GetInterval() const { return interval_; }
  bool IsAutoStart() const { return autoStart_; }
  const FrameSequence& GetSequence() const { return sequence_; }
  // Whether the sequence was started and has not reached its end.
  bool IsRunning() const { return running_; }

  // Starts from the first frame on the owner's control timer kTimerId; false
  // when the window has no timer for it.
  bool Start(CUIPaintManager* manager, CControlUI* owner);

  // One tick: the name of the frame to show, or empty when nothing is drawn
  // (no pattern, or the sequence ended and the owner's timer was killed).
  CUIString Tick(CUIPaintManager* manager, CControlUI* owner);

  // The pattern formatted with a frame number, at most 259 characters.
  CUIString FrameName(int frame) const;

 private:
  CUIString pattern_;
  int interval_;
  bool autoStart_ = false;
  bool running_ = false;
  FrameSequence sequence_;
};

}  // namespace SkinUI
