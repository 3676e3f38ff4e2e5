#include "ui/window_place.h"

WindowPlace CentredPlace(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height) {
  // Widened so that extreme metrics cannot overflow; C++ division truncates toward zero.
  int64_t left = (int64_t{screenWidth} - width) / 2;
  int64_t top = (int64_t{screenHeight} - height) / 2;
  return {static_cast<int32_t>(left), static_cast<int32_t>(top)};
}
