// The program's start and its fatal-error path, as a sequence of frame steps. The
// Windows frame fills the steps with the real work; tests fill them with recorders.
#pragma once

struct FrameSteps {
  // Current directory to the program's folder, OLE, the UI thread recorded.
  void (*initialiseFrame)();
  // False when the stored layout cannot be read.
  bool (*readLayout)();
  // Rounding to nearest, every floating-point exception masked.
  void (*resetFloatingPoint)();
  void (*initialiseCountdown)();
  void (*setEndRoutine)(void (*routine)());
  // Null when the window stands; otherwise the step that failed.
  const char* (*loadMainWindow)();
  void (*runEventLoop)();
  // The end steps before the process exits: events held for good, idle work dropped,
  // the end routine run (when asked), the frame's own resources and OLE released.
  void (*endFrame)(bool runEndRoutine);
  void (*showFatalError)(const char* message);
  // Ends the process; only a test's stand-in returns.
  void (*exitProcess)(int exitCode);
};

// The routine the program hands the frame for its end: the program holds nothing that
// needs releasing.
void ProgramEndRoutine();

// Runs the program; 0 after the event loop ends, -1 after a fatal error.
int ProgramMain(const FrameSteps& steps);

// Holds every event back, names the failed step in an error box and ends with -1,
// without the end routine.
int FailFatally(const FrameSteps& steps, const char* failedStep);

// The error box's text for a failed step, cut to fit `buffer`; "" when there is no buffer.
const char* FatalErrorText(const char* failedStep, char* buffer, int size);
