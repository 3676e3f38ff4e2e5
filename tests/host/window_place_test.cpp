#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ui/layout.h"
#include "ui/window_place.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

} // namespace

TEST(CentredPlace, Table) {
  const struct {
    int32_t screenWidth, screenHeight, width, height;
    int32_t left, top;
  } cases[] = {
      {1024, 768, 450, 228, 287, 270},
      {800, 600, 450, 228, 175, 186},
      // Narrower than the window: truncation toward zero gives -4, not -5.
      {441, 768, 450, 228, -4, 270},
      {450, 228, 450, 228, 0, 0},
      // Odd differences drop the half pixel, toward zero on both sides.
      {1025, 769, 450, 228, 287, 270},
      {451, 229, 450, 228, 0, 0},
      {449, 227, 450, 228, 0, 0},
      {447, 225, 450, 228, -1, -1},
      {0, 0, 450, 228, -225, -114},
      {1920, 1080, 450, 228, 735, 426},
      // Extreme metrics: the difference is formed wider than 32 bits and the halves fit.
      {kMax, kMax, 450, 228, 1073741598, 1073741709},
      {kMin, kMin, 450, 228, -1073742049, -1073741938},
      {kMax, kMin, kMin, kMax, kMax, -kMax},
      {kMin, kMax, kMax, kMin, -kMax, kMax},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.screenWidth << " x " << c.screenHeight << ", window "
                                    << c.width << " x " << c.height);
    WindowPlace p = CentredPlace(c.screenWidth, c.screenHeight, c.width, c.height);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.top, c.top);
  }
}

// The window's own size comes from the layout; on 1024 x 768 it lands at (287, 270),
// never at the stored 50, 50.
TEST(CentredPlace, MainWindowOnACommonScreen) {
  WindowPlace p = CentredPlace(1024, 768, kMainWindowLayout.width, kMainWindowLayout.height);
  EXPECT_EQ(p.left, 287);
  EXPECT_EQ(p.top, 270);
  EXPECT_NE(p.left, kMainWindowLayout.storedLeft);
  EXPECT_NE(p.top, kMainWindowLayout.storedTop);
}
