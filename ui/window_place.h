// Where the main window goes: centred on the screen, computed once at creation.
#pragma once

#include <cstdint>

struct WindowPlace {
  int32_t left;
  int32_t top;
};

// (screen - size) / 2 each way, in signed integers truncating toward zero: a screen
// narrower than the window puts its left edge at a negative x, rounded toward 0.
WindowPlace CentredPlace(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height);
