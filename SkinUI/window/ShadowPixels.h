#pragma once
// The colour-mode shadow bitmap computed from the parent's shape and the
// shadow settings. No platform calls: the parent's shape comes in as a test.
#include <cstdint>
#include <functional>

namespace SkinUI {

struct ShadowSettings {
  uint8_t darkness = 150;  // maximum alpha, 0..255
  uint8_t sharpness = 5;   // width of the blurred border, 0..20
  int8_t size = 0;         // extent beyond the parent on each side, -20..20
  int8_t xOffset = 5;      // -20..20
  int8_t yOffset = 5;      // -20..20
  uint32_t colour = 0;     // bits 0-7 red, 8-15 green, 16-23 blue; the top byte is unused
};

// Whether parent pixel (x, y), 0 <= x < width and 0 <= y < height, lies in its shape.
using ShadowShapeTest = std::function<bool(int x, int y)>;

// The pixel of the given alpha with the colour's channels premultiplied:
// alpha in bits 24-31, red 16-23, green 8-15, blue 0-7.
uint32_t PremultipliedShadowPixel(uint32_t colour, unsigned alpha);

int ShadowBitmapWidth(int parentWidth, const ShadowSettings& settings);
int ShadowBitmapHeight(int parentHeight, const ShadowSettings& settings);

// Writes the shadow into pixels, a zeroed bottom-up 32-bit bitmap of
// ShadowBitmapWidth x ShadowBitmapHeight (row 0 from the top is the last
// one in memory).
void ComputeShadowPixels(uint32_t* pixels, int parentWidth, int parentHeight, const ShadowSettings& settings,
                         const ShadowShapeTest& inside);

}  // namespace SkinUI
