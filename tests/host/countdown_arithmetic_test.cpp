#include <cfenv>
#include <cmath>
#include <gtest/gtest.h>

#include "countdown/countdown_state.h"

TEST(TruncateToInteger, RoundsTowardZeroInEveryRoundingMode) {
  struct Case {
    double x;
    int32_t expected;
  } cases[] = {{2.9, 2}, {-2.9, -2}, {0.0, 0}, {-0.5, 0}, {86399.0, 86399}, {86398.999, 86398}};
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    for (const Case& c : cases)
      EXPECT_EQ(TruncateToInteger(c.x), c.expected) << c.x << " in mode " << mode;
  }
  std::fesetround(FE_TONEAREST);
}

TEST(TruncateToInteger, OutOfRangeSaturatesAndNanGivesZero) {
  EXPECT_EQ(TruncateToInteger(1e300), INT32_MAX);
  EXPECT_EQ(TruncateToInteger(-1e300), INT32_MIN);
  EXPECT_EQ(TruncateToInteger(std::nan("")), 0);
}

TEST(ComposeDuration, EqualsIntegerFormForEveryPickableDuration) {
  for (int h = 0; h < 24; ++h)
    for (int m = 0; m < 60; ++m)
      for (int s = 0; s < 60; ++s)
        ASSERT_EQ(ComposeDuration(h, m, s), h * 3600 + m * 60 + s) << h << ":" << m << ":" << s;
}

TEST(SplitRemaining, EqualsDivModForEveryCount) {
  for (int32_t r = 0; r <= 86399; ++r) {
    SplitParts p = SplitRemaining(r);
    ASSERT_EQ(p.hours, r / 3600) << r;
    ASSERT_EQ(p.minutes, (r % 3600) / 60) << r;
    ASSERT_EQ(p.seconds, r % 60) << r;
  }
}
