// An in-memory stand-in for the controls of the main window, linked into the host
// tests in place of the real operations. It keeps each control's state as the real
// control would and logs every operation the handlers make, in order.
#pragma once

#include <string>
#include <vector>

#include "ui/control_names.h"

struct StandInControls {
  std::vector<std::string> items[kControlCount];
  int selection[kControlCount];
  bool checked[kControlCount];
  std::string caption[kControlCount];
  int timerPeriod = 0;
  int alwaysOnTop = 0;
  // A list refuses items beyond this many (AddItem answers -1).
  size_t listCapacity = 1000;
  bool powerOffAccepted = true;
  // Every operation as "Name(control,argument)", in call order; conversions are not logged.
  std::vector<std::string> calls;
};

extern StandInControls g_standIn;

// Start-up state: empty lists with no selection, unchecked boxes, labels showing "0",
// the timer idle, an empty log.
void ResetStandIn();

// Thrown by the stand-in's EndProgram, which must not return.
struct ProgramEnded {
  int exitCode;
};

// The control's name as the log writes it.
std::string StandInName(Control c);
