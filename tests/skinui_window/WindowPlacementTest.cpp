#include "SkinUI/window/WindowPlacement.h"

#include <gtest/gtest.h>

namespace SkinUI {
namespace {

TEST(WindowPlacementTest, CentresOnTheReferenceAndKeepsInsideTheWorkArea) {
  const RECT work = {0, 0, 1024, 738};
  struct Case {
    const char* what;
    RECT window;
    RECT reference;
    LONG x;
    LONG y;
  } cases[] = {
      {"on the work area", {0, 0, 600, 400}, work, 212, 169},
      {"odd sizes use integer halves", {0, 0, 601, 401}, {0, 0, 1001, 701}, 200, 150},
      {"on an owner", {0, 0, 200, 100}, {300, 200, 700, 500}, 400, 300},
      {"owner near the left edge", {0, 0, 600, 400}, {-100, 100, 200, 300}, 0, 0},
      {"owner near the bottom right", {0, 0, 300, 200}, {900, 650, 1100, 760}, 724, 538},
      {"larger than the work area keeps its top left visible", {0, 0, 1200, 900}, work, 0, 0},
  };
  for (const Case& c : cases) {
    const POINT p = CenteredPosition(c.window, c.reference, work);
    EXPECT_EQ(p.x, c.x) << c.what;
    EXPECT_EQ(p.y, c.y) << c.what;
  }
}

}  // namespace
}  // namespace SkinUI
