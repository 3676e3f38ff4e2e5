// Everything the event handlers call: the operations on the window's controls, the
// two conversions, and the three system actions. Texts are byte strings in the ANSI
// code page (GBK on the target systems); a returned text belongs to the caller.
//
// The Windows build links the real operations; the host build links an in-memory
// stand-in so the handlers can be tested without a window.
#pragma once

#include <string>

#include "ui/control_names.h"

// Appends an item to a drop-down list; the new index, or -1 when the list refuses it.
int AddItem(Control list, const std::string& text);
// The item's text; empty for an index outside the list, -1 included.
std::string GetItemText(Control list, int index);
// The selected index, or -1.
int GetCurrentSelection(Control list);
// Selects an item; the index is clamped to -1 .. count - 1.
void SetCurrentSelection(Control list, int index);
bool IsChecked(Control checkBox);
// Replaces a transparent label's caption and repaints it at once, even if unchanged.
void SetCaption(Control label, const std::string& text);
// 0 (or less) stops the timer; the same period again keeps the running phase.
void SetTimerPeriod(Control timer, int periodMs);
// 1 puts the window in the topmost band, anything else takes it out.
void SetAlwaysOnTop(Control window, int flag);

// "%d" of an integer and "%.13g" of a real.
std::string ToText(int value);
std::string ToText(double value);
// Leading decimal integer of the text after GBK full-width normalisation; 0 when
// there is none; saturated at the ends of the 32-bit range.
int ToInteger(const std::string& text);

// Ends the process with the exit code; never returns.
[[noreturn]] void EndProgram(int exitCode);
// The one mode of RequestPowerOff this program uses.
constexpr int kPowerOffMode = 1;
// Asks Windows to switch off (mode 1); true when Windows accepted the request.
bool RequestPowerOff(int mode, bool force);
// Hands an address to the shell; a null address opens the fixed default one.
void OpenWebPage(const char* address);
