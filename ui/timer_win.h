// The timer control: a hidden child window of its own that receives the system timer's
// messages and raises the timer's tick.
#pragma once

#include <windows.h>

#include "ui/layout.h"

// The system timer's identifier on the timer's window.
constexpr UINT_PTR kSystemTimerId = 1000;

// Creates the hidden timer window for the layout entry; a stored period above 0 starts
// it at once. Null when the window cannot be made.
HWND CreateTimerControl(HWND parent, const ControlLayout& entry);

// The period rules of the timer: negative counts as 0; the same period keeps the
// running phase; otherwise the old system timer stops and a new one starts.
void ApplyTimerPeriod(Control timer, int periodMs);
