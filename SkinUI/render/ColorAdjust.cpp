// Hue/saturation/lightness adjustment of 0xAARRGGBB colours.
#include <cmath>

#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

void RgbToHsl(DWORD color, float* h, float* s, float* l) {
  const float r = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
  const float g = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
  const float b = static_cast<float>(color & 0xFF) / 255.0f;
  const float maxC = std::fmax(r, std::fmax(g, b));
  const float minC = std::fmin(r, std::fmin(g, b));
  *l = (maxC + minC) / 2.0f;
  const float delta = maxC - minC;
  if (delta <= 0.0f) {
    *h = 0.0f;
    *s = 0.0f;
    return;
  }
  *s = *l < 0.5f ? delta / (maxC + minC) : delta / (2.0f - maxC - minC);
  float hue;
  if (maxC == r) {
    hue = (g - b) / delta;
  } else if (maxC == g) {
    hue = 2.0f + (b - r) / delta;
  } else {
    hue = 4.0f + (r - g) / delta;
  }
  hue *= 60.0f;
  if (hue < 0.0f) hue += 360.0f;
  *h = hue;
}

float HueToChannel(float p, float q, float t) {
  if (t < 0.0f) t += 1.0f;
  if (t > 1.0f) t -= 1.0f;
  if (t < 1.0f / 6.0f) return p + (q - p) * 6.0f * t;
  if (t < 0.5f) return q;
  if (t < 2.0f / 3.0f) return p + (q - p) * (2.0f / 3.0f - t) * 6.0f;
  return p;
}

BYTE ToByte(float value) {
  const float scaled = value * 255.0f + 0.5f;
  return static_cast<BYTE>(scaled < 0.0f ? 0.0f : (scaled > 255.0f ? 255.0f : scaled));
}

}  // namespace

DWORD CUIRender::AdjustColor(DWORD color, short hue, short saturation, short lightness) {
  if (hue == 180 && saturation == 100 && lightness == 100) return color;
  float h, s, l;
  RgbToHsl(color, &h, &s, &l);
  h += static_cast<float>(hue - 180);
  while (h >= 360.0f) h -= 360.0f;
  while (h < 0.0f) h += 360.0f;
  s = std::fmin(1.0f, s * static_cast<float>(saturation) / 100.0f);
  l = std::fmin(1.0f, l * static_cast<float>(lightness) / 100.0f);
  float r, g, b;
  if (s <= 0.0f) {
    r = g = b = l;
  } else {
    const float q = l < 0.5f ? l * (1.0f + s) : l + s - l * s;
    const float p = 2.0f * l - q;
    const float t = h / 360.0f;
    r = HueToChannel(p, q, t + 1.0f / 3.0f);
    g = HueToChannel(p, q, t);
    b = HueToChannel(p, q, t - 1.0f / 3.0f);
  }
  return (color & 0xFF000000) | (static_cast<DWORD>(ToByte(r)) << 16) | (static_cast<DWORD>(ToByte(g)) << 8) |
         ToByte(b);
}

}  // namespace SkinUI
