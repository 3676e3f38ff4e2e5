// What e2e_probe.exe does to a running countdown.exe over many ticks: posts the timer's
// ticks one after another and checks each display, and reads what the process holds.
#pragma once

#include <windows.h>

#include <string>

// Posts `count` ticks to the timer's window, each one only after the display of the one
// before is there, so that the queue never holds more than one. Tick j must show the
// count first - j split into hours, minutes and seconds (0, 0, 0 once that is 0).
// Answers "ok ticks=N ms=M" or "err ..." with the tick and what it showed.
std::string PostTicks(HWND timer, const HWND digits[3], int first, int count);

// GDI objects, handles and memory of the process that owns `window`, read from outside:
// "ok gdi=N fonts=N brushes=N bitmaps=N dcs=N regions=N handles=N private=B workingset=B".
std::string ProcessUsage(HWND window);
