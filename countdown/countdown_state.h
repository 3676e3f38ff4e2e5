// The countdown's state and its time arithmetic. Real arithmetic is IEEE double, as
// the count has always been computed: every value stays a whole number far below 2^53,
// so the results equal the integer div/mod forms.
#pragma once

#include <cstdint>

// Counting ticks still to come before the finishing tick (0 .. 86399).
extern int32_t RemainingSeconds;
// Hours, minutes, seconds: the values on display after a tick, or the picked values
// between Start and the first tick.
extern int32_t TimeParts[3];

constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;

// Integer part of x, rounded toward zero whatever the rounding mode.
int32_t TruncateToInteger(double x);
// hours * 3600 + minutes * 60 + seconds, formed as (a + b) + seconds in doubles.
int32_t ComposeDuration(int32_t hours, int32_t minutes, int32_t seconds);

struct SplitParts {
  int32_t hours;
  int32_t minutes;
  int32_t seconds;
};
// Hours, minutes and seconds of a count; the seconds are worked out from the count
// again, not as a remainder of the minutes step.
SplitParts SplitRemaining(int32_t count);

// Back to the start-up state: everything 0.
void InitCountdownState();
