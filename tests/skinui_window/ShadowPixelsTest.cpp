#include "SkinUI/window/ShadowPixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace SkinUI {
namespace {

constexpr uint32_t kGuard = 0xDEADBEEF;

// A shadow bitmap with guard rows before and after it, so a write outside
// the bitmap shows up as a changed guard value.
class ShadowBitmap {
 public:
  ShadowBitmap(int parentWidth, int parentHeight, const ShadowSettings& settings)
      : width_(ShadowBitmapWidth(parentWidth, settings)),
        height_(ShadowBitmapHeight(parentHeight, settings)),
        guard_(static_cast<size_t>(width_) * 64),
        memory_(guard_ * 2 + static_cast<size_t>(width_) * height_, kGuard) {
    std::fill(memory_.begin() + guard_, memory_.end() - guard_, 0u);
  }
  uint32_t* Pixels() { return memory_.data() + guard_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Row 0 is the top row; the bitmap is stored bottom-up.
  uint32_t At(int x, int row) const {
    return memory_[guard_ + static_cast<size_t>(height_ - 1 - row) * width_ + x];
  }
  unsigned Alpha(int x, int row) const { return At(x, row) >> 24; }
  bool GuardsIntact() const {
    for (size_t i = 0; i < guard_; ++i) {
      if (memory_[i] != kGuard || memory_[memory_.size() - 1 - i] != kGuard) return false;
    }
    return true;
  }

 private:
  int width_;
  int height_;
  size_t guard_;
  std::vector<uint32_t> memory_;
};

ShadowSettings InstallerSettings() {
  ShadowSettings settings;
  settings.size = 6;
  settings.sharpness = 10;
  settings.darkness = 20;
  settings.xOffset = 1;
  settings.yOffset = 1;
  settings.colour = 0x26003B76;
  return settings;
}

bool WholeRectangle(int, int) { return true; }

TEST(ShadowPixelsTest, PremultipliesColourChannelsAndIgnoresTheTopByte) {
  EXPECT_EQ(PremultipliedShadowPixel(0x26003B76, 20), 0x14090400u);
  EXPECT_EQ(PremultipliedShadowPixel(0xFF003B76, 20), 0x14090400u);
  EXPECT_EQ(PremultipliedShadowPixel(0x00FFFFFF, 255), 0xFFFFFFFFu);
  EXPECT_EQ(PremultipliedShadowPixel(0x000000FF, 128), 0x80800000u);  // red lands in bits 16-23
  EXPECT_EQ(PremultipliedShadowPixel(0x00FF0000, 128), 0x80000080u);  // blue lands in bits 0-7
  EXPECT_EQ(PremultipliedShadowPixel(0x00FFFFFF, 0), 0u);
}

TEST(ShadowPixelsTest, InstallerShadowAroundAWholeRectangle) {
  const ShadowSettings settings = InstallerSettings();
  ShadowBitmap bitmap(600, 400, settings);
  ASSERT_EQ(bitmap.Width(), 612);
  ASSERT_EQ(bitmap.Height(), 412);
  ComputeShadowPixels(bitmap.Pixels(), 600, 400, settings, WholeRectangle);
  EXPECT_TRUE(bitmap.GuardsIntact());

  for (int row = 5; row <= 404; ++row) {
    for (int x = 5; x <= 604; ++x) {
      ASSERT_EQ(bitmap.At(x, row), 0u) << "over the parent at " << x << "," << row;
    }
  }
  EXPECT_EQ(bitmap.At(605, 200), 0x0C050200u);
  EXPECT_EQ(bitmap.At(606, 200), 0x0A040200u);
  EXPECT_EQ(bitmap.At(611, 200), 0x01000000u);
  EXPECT_EQ(bitmap.Alpha(4, 200), 9u);
  EXPECT_EQ(bitmap.Alpha(0, 200), 1u);
  EXPECT_EQ(bitmap.Alpha(300, 4), 9u);
  EXPECT_EQ(bitmap.Alpha(300, 0), 1u);
  EXPECT_EQ(bitmap.Alpha(300, 405), 12u);
  EXPECT_EQ(bitmap.Alpha(300, 411), 1u);
  EXPECT_EQ(bitmap.At(0, 0), 0u);
  EXPECT_EQ(bitmap.At(611, 411), 0u);
}

TEST(ShadowPixelsTest, EmptyShapeGivesAFullyTransparentShadow) {
  const ShadowSettings settings = InstallerSettings();
  ShadowBitmap bitmap(120, 80, settings);
  ComputeShadowPixels(bitmap.Pixels(), 120, 80, settings, [](int, int) { return false; });
  for (int row = 0; row < bitmap.Height(); ++row) {
    for (int x = 0; x < bitmap.Width(); ++x) ASSERT_EQ(bitmap.At(x, row), 0u) << x << "," << row;
  }
}

TEST(ShadowPixelsTest, HardShadowWithOffsetShowsOnlyTheUncoveredBands) {
  ShadowSettings settings;
  settings.size = 0;
  settings.sharpness = 0;
  settings.darkness = 200;
  settings.xOffset = 5;
  settings.yOffset = 5;
  settings.colour = 0x000000FF;
  ShadowBitmap bitmap(50, 40, settings);
  ComputeShadowPixels(bitmap.Pixels(), 50, 40, settings, WholeRectangle);
  EXPECT_TRUE(bitmap.GuardsIntact());
  const uint32_t solid = PremultipliedShadowPixel(settings.colour, 200);
  for (int row = 0; row < 40; ++row) {
    for (int x = 0; x < 50; ++x) {
      // The shadow window sits 5,5 below and right of the parent: only the
      // part the parent does not cover is drawn.
      const bool uncovered = x >= 45 || row >= 35;
      ASSERT_EQ(bitmap.At(x, row), uncovered ? solid : 0u) << x << "," << row;
    }
  }
}

TEST(ShadowPixelsTest, FollowsARoundedShape) {
  // An ellipse: the cut-out follows the parent's shape row by row.
  const int width = 80;
  const int height = 60;
  auto ellipse = [&](int x, int y) {
    const double dx = (x + 0.5 - width / 2.0) / (width / 2.0);
    const double dy = (y + 0.5 - height / 2.0) / (height / 2.0);
    return dx * dx + dy * dy <= 1.0;
  };
  ShadowSettings settings = InstallerSettings();
  settings.xOffset = 0;
  settings.yOffset = 0;
  ShadowBitmap bitmap(width, height, settings);
  ComputeShadowPixels(bitmap.Pixels(), width, height, settings, ellipse);
  EXPECT_TRUE(bitmap.GuardsIntact());
  const int s = settings.size;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (ellipse(x, y)) {
        ASSERT_EQ(bitmap.At(x + s, y + s), 0u) << "inside at " << x << "," << y;
      }
    }
  }
  // Just outside the ellipse's top and left extremes the shadow is present.
  EXPECT_GT(bitmap.Alpha(width / 2 + s, s - 1), 0u);
  EXPECT_GT(bitmap.Alpha(s - 1, height / 2 + s), 0u);
  // The shadow hugs the outline all the way round: every pixel just outside
  // the ellipse is shaded, while the far corners stay clear.
  for (int y = 1; y + 1 < height; ++y) {
    for (int x = 1; x + 1 < width; ++x) {
      const bool outline = !ellipse(x, y) && (ellipse(x - 1, y) || ellipse(x + 1, y) || ellipse(x, y - 1) ||
                                              ellipse(x, y + 1));
      if (outline) {
        ASSERT_GT(bitmap.Alpha(x + s, y + s), 0u) << "outline at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(bitmap.At(s, s), 0u);
  EXPECT_EQ(bitmap.At(0, 0), 0u);
}

struct ExtremeCase {
  int size;
  unsigned sharpness;
  int xOffset;
  int yOffset;
};

class ShadowPixelsExtremesTest : public ::testing::TestWithParam<ExtremeCase> {};

TEST_P(ShadowPixelsExtremesTest, StaysInsideTheBitmap) {
  const ExtremeCase c = GetParam();
  ShadowSettings settings;
  settings.size = static_cast<int8_t>(c.size);
  settings.sharpness = static_cast<uint8_t>(c.sharpness);
  settings.darkness = 255;
  settings.xOffset = static_cast<int8_t>(c.xOffset);
  settings.yOffset = static_cast<int8_t>(c.yOffset);
  settings.colour = 0x00FFFFFF;
  for (auto shape : {+[](int, int) { return true; }, +[](int x, int y) { return (x + y) % 7 != 0 && y > 3; }}) {
    ShadowBitmap bitmap(60, 45, settings);
    ComputeShadowPixels(bitmap.Pixels(), 60, 45, settings, shape);
    EXPECT_TRUE(bitmap.GuardsIntact());
  }
}

INSTANTIATE_TEST_SUITE_P(AcceptedLimits, ShadowPixelsExtremesTest,
                         ::testing::Values(ExtremeCase{20, 20, 20, 20}, ExtremeCase{-20, 20, -20, -20},
                                           ExtremeCase{-20, 0, 20, -20}, ExtremeCase{20, 0, -20, 20},
                                           ExtremeCase{0, 20, 0, 0}, ExtremeCase{0, 0, 0, 0},
                                           ExtremeCase{-5, 3, 20, 20}));

}  // namespace
}  // namespace SkinUI
