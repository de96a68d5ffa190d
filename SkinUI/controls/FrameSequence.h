#pragma once
// The frame order of a numbered image animation: forward, wrapping to the
// first frame or turning around at the ends, and stopping at the end when it
// does not loop. Pure logic, advanced once per timer tick.
namespace SkinUI {

struct FrameSequence {
  int count = 0;      // number of frames N
  int current = 0;    // index of the next frame to show
  bool loop = true;
  bool forward = true;
  bool roundTrip = false;

  // The frame to show on this tick, or -1 when the animation ends here (the
  // timer is to be stopped and nothing drawn).
  int Tick();
  void Restart() { current = 0; }
};

}  // namespace SkinUI
