#include "source/src/sdk/TrackId.h"

#include <chrono>
#include <cstdlib>
#include <string>

namespace telemetry_core {

int64_t NowMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

static std::string LastDigits(int64_t value, size_t count) {
  std::string s = std::to_string(value);
  return s.size() > count ? s.substr(s.size() - count) : s;
}

int64_t MakeTrackId(int rand1, int rand2, int64_t nowMs) {
  std::string digits = LastDigits(rand1 % 99 + 100, 2) + LastDigits(rand2 % 999 + 1000, 3) + LastDigits(nowMs, 4);
  return std::stoll(digits);
}

int64_t NewTrackId() {
  int r1 = std::rand();
  int r2 = std::rand();
  return MakeTrackId(r1, r2, NowMilliseconds());
}

}  // namespace telemetry_core
