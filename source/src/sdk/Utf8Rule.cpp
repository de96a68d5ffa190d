#include "source/src/sdk/NameRules.h"

namespace telemetry_core {

namespace {
bool InRange(unsigned char c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; }
}  // namespace

bool IsValidUtf8(const std::string& text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size();
  size_t i = 0;
  auto cont = [&](size_t at, unsigned lo = 0x80, unsigned hi = 0xBF) { return at < n && InRange(p[at], lo, hi); };
  while (i < n) {
    unsigned char c = p[i];
    if (c == 0x09 || c == 0x0A || c == 0x0D || InRange(c, 0x20, 0x7E)) {
      i += 1;
    } else if (InRange(c, 0xC2, 0xDF) && cont(i + 1)) {
      i += 2;
    } else if (c == 0xE0 && cont(i + 1, 0xA0, 0xBF) && cont(i + 2)) {
      i += 3;
    } else if ((InRange(c, 0xE1, 0xEC) || c == 0xEE || c == 0xEF) && cont(i + 1) && cont(i + 2)) {
      i += 3;
    } else if (c == 0xED && cont(i + 1, 0x80, 0x9F) && cont(i + 2)) {
      i += 3;
    } else if (c == 0xF0 && cont(i + 1, 0x90, 0xBF) && cont(i + 2) && cont(i + 3)) {
      i += 4;
    } else if (InRange(c, 0xF1, 0xF3) && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
      i += 4;
    } else if (c == 0xF4 && cont(i + 1, 0x80, 0x8F) && cont(i + 2) && cont(i + 3)) {
      i += 4;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace telemetry_core
