// The Windows frame: the real steps of the program's start and end.
#pragma once

#include "app/program_main.h"

extern const FrameSteps kWindowsFrameSteps;

// Builds the main window and its controls with events held back, raises its created
// event while it is still hidden, then shows it centred and active. Null on success,
// otherwise the failed step.
const char* LoadMainWindow();

// The message loop of the UI thread, until the quit request.
void RunEventLoop();
