// The baselines' window: the program's size, centred on the screen, or at "X Y" given on
// the command line so that it can run beside other windows without being covered.
#pragma once

#include <windows.h>

#include <cstdlib>

constexpr int kBaselineWidth = 450;
constexpr int kBaselineHeight = 228;

// strtol rather than sscanf: the baselines stay free of the C library's formatted input.
inline POINT BaselinePlace(const char* commandLine) {
  POINT place = {(GetSystemMetrics(SM_CXSCREEN) - kBaselineWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - kBaselineHeight) / 2};
  char* end = nullptr;
  long x = std::strtol(commandLine, &end, 10);
  if (end != commandLine) {
    place.x = static_cast<LONG>(x);
    place.y = static_cast<LONG>(std::strtol(end, nullptr, 10));
  }
  return place;
}
