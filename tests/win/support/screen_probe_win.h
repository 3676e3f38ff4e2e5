// Reading what the screen shows, for tests that look at windows the way a user would.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// A copy of a screen rectangle, 0x00RRGGBB pixels row after row from the top.
struct ScreenShot {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint32_t> pixels;

  // The pixel at screen coordinates, as a COLORREF (0x00BBGGRR).
  COLORREF At(int x, int y) const;
  // Pixels of the rectangle (screen coordinates, clipped to the shot) that satisfy `test`.
  int Count(const RECT& area, const std::function<bool(COLORREF)>& test) const;
};

// Lets pending paints happen (messages of this thread processed, a short wait), then
// copies the rectangle from the screen.
ScreenShot TakeScreenShot(const RECT& screenArea);
ScreenShot TakeWindowShot(HWND hwnd);

// Processes the messages waiting for this thread, for about `ms` milliseconds.
void PumpMessages(int ms);

bool SameColour(COLORREF a, COLORREF b, int tolerance = 0);
