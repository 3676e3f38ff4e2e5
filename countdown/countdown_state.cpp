#include "countdown/countdown_state.h"

#include <cmath>

int32_t RemainingSeconds = 0;
int32_t TimeParts[3] = {0, 0, 0};

int32_t TruncateToInteger(double x) {
  // std::trunc ignores the rounding mode; a cast of NaN or of a value outside the
  // 32-bit range would be undefined, so those (which never occur here) get 0 or saturate.
  if (std::isnan(x))
    return 0;
  double t = std::trunc(x);
  if (t < -2147483648.0)
    return INT32_MIN;
  if (t > 2147483647.0)
    return INT32_MAX;
  return static_cast<int32_t>(t);
}

int32_t ComposeDuration(int32_t hours, int32_t minutes, int32_t seconds) {
  double a = hours * kSecondsPerHour;
  double b = minutes * kSecondsPerMinute;
  double c = (a + b) + seconds;
  return TruncateToInteger(c);
}

SplitParts SplitRemaining(int32_t count) {
  SplitParts p;
  p.hours = TruncateToInteger(count / kSecondsPerHour);
  p.minutes = TruncateToInteger((count - p.hours * kSecondsPerHour) / kSecondsPerMinute);
  p.seconds = TruncateToInteger(count - p.hours * kSecondsPerHour - p.minutes * kSecondsPerMinute);
  return p;
}

void InitCountdownState() {
  RemainingSeconds = 0;
  TimeParts[0] = TimeParts[1] = TimeParts[2] = 0;
}
