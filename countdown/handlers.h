// The program's reactions to the events of the main window, one routine per event.
// They act on controls only through the control operations and keep the countdown state.
#pragma once

void OnMainWindowCreated();
void OnStartClicked();
void OnStopClicked();
void OnCountdownTick();
void OnPinClicked();
// The press handlers receive the press's x, y and key state and use none of them.
void OnExitLabelPressed(int x, int y, int keyState);
void OnLinkLabelPressed(int x, int y, int keyState);
