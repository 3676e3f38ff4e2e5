// The real controls behind the layout's names: each control's window and the drawing
// resources it made once at creation.
#pragma once

#include <windows.h>

#include "ui/control_names.h"
#include "ui/layout.h"

struct ControlRecord {
  HWND hwnd = nullptr;
  HBRUSH brush = nullptr; // the colour answer's background brush
  COLORREF textColour = 0;
  COLORREF backColour = 0;
  HBITMAP picture = nullptr; // a check box's picture
  HCURSOR pointer = nullptr; // a pointer of the control's own, made by the frame
  int timerPeriod = 0;
  bool timerRunning = false;
  int alwaysOnTop = 0;
};

// Index kControlCount is MainWindow itself.
extern ControlRecord g_controls[kControlCount + 1];

inline ControlRecord& RecordOf(Control c) {
  return g_controls[ControlIndex(c)];
}
inline HWND ControlWindow(Control c) {
  return g_controls[ControlIndex(c)].hwnd;
}

// The control a window belongs to: the control's own window or one inside it (a drop-
// down box's edit field or list). False for windows of no control.
bool ControlOfWindow(HWND hwnd, Control& out);

// A layout colour as a COLORREF; the system colour is looked up now.
COLORREF ResolveColour(LayoutColour colour);

// Control identifiers: the layout index plus this base, so that 0 and IDOK-like values
// never occur.
constexpr int kControlIdBase = 1000;

// Creation of the standard controls as children of `parent`, hidden, from their layout
// entries. Each records its window and resources; null when the window cannot be made.
HWND CreateButtonControl(HWND parent, const ControlLayout& entry);
HWND CreateCheckBoxControl(HWND parent, const ControlLayout& entry);
HWND CreateComboBoxControl(HWND parent, const ControlLayout& entry);

// The colour answer of a control to WM_CTLCOLOR*: its text and background colours on
// the device context, and its brush. Null when the window belongs to no coloured control.
HBRUSH ControlColourAnswer(HWND control, HDC dc);

// The main window's children from the top of the z-order down, once CreateLayoutControls
// has stacked them in table order: nothing in the program restacks them after that, so
// the table answers what would otherwise take a round trip to the window manager per
// child. Fills `out` (null for a control without a window) and returns true only for
// that window, after the stacking and until a child is created or destroyed in it.
bool StackedChildren(HWND parent, HWND (&out)[kControlCount]);
void MarkControlsStacked(HWND parent);

// Releases what a control's record holds and forgets its window.
void ReleaseControlRecord(Control c);
