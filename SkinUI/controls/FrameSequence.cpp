#include "SkinUI/controls/FrameSequence.h"

namespace SkinUI {

int FrameSequence::Tick() {
  if (forward) {
    if (current > count - 1) {
      if (roundTrip) {
        forward = false;
        current = count - 2;
      } else {
        current = 0;
        if (!loop) return -1;
      }
    }
  }
  if (!forward) {
    // "<= 0" rather than "== 0": a round trip over fewer than two frames
    // turns around below frame 0 and would otherwise count on into negative
    // frame numbers.
    if (current <= 0) {
      if (roundTrip) forward = true;
      current = 0;
      if (!loop) return -1;
    }
  }
  const int shown = current;
  current += forward ? 1 : -1;
  return shown;
}

}  // namespace SkinUI
