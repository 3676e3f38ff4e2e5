// The keyboard focus cycle of the main window, derived from the layout.
#pragma once

#include <vector>

#include "ui/control_names.h"

// Whether a control's window exists, is visible and is enabled right now.
using ControlIsLive = bool (*)(Control);

// Focusable controls (live, tab stop set, neither a timer nor a label) ordered by their
// tab-order values; equal values keep the order of a walk from the last entry of the
// control list to the first.
std::vector<Control> TabCycle(ControlIsLive isLive);

// The next (or, backward, the previous) control of the cycle after `from`, wrapping
// around; when `from` is not in the cycle, the first (or last) one. Returns false when
// the cycle is empty.
bool NextInTabCycle(const std::vector<Control>& cycle, Control from, bool backward, Control& out);
