#pragma once
// The per-record "_track_id": 2 digits of rand, 3 of rand, 4 of the clock.
#include <cstdint>

namespace telemetry_core {
int64_t NowMilliseconds();
int64_t MakeTrackId(int rand1, int rand2, int64_t nowMs);
int64_t NewTrackId();  // uses the C runtime's rand()
}  // namespace telemetry_core
