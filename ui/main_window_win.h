// The main window: a borderless, centred top-level window that draws its background
// picture itself and answers for its controls (colours, pointers, clicks).
#pragma once

#include <windows.h>

#include "ui/layout.h"

constexpr char kMainWindowClass[] = "CountdownMainWindow";

// Creates the window hidden at its centred place with its final frame, icons and font;
// null when it cannot be made.
HWND CreateMainWindow(const WindowLayout& layout);

// Creates every control of the layout as a hidden child, the last entry first, then
// stacks them as the list says (the first on top). Null on success, otherwise the name of
// the step that failed.
const char* CreateLayoutControls(HWND window);

// Paints the background over the clip box: the picture tiled from the top-left corner,
// or the background colour when the picture cannot be decoded.
void PaintBackground(HWND window, HDC dc, const RECT& clip);

// Set by the frame while its event loop runs: closing the window then posts the quit.
void SetEventLoopRunning(bool running);
