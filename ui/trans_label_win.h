// The transparent label: a child window that draws its caption over whatever lies
// behind it and has the spot repainted whenever a setting changes or it moves.
#pragma once

#include <windows.h>

#include "ui/label_settings.h"

constexpr char kTransLabelClass[] = "TransLabel";

// Called with the label's window after its last message, before it frees itself.
using LabelEndedCallback = void (*)(HWND label);
void SetLabelEndedCallback(LabelEndedCallback callback);

// Creates a hidden label. `stored` holds the settings read over the defaults (null for
// none); null when the window cannot be made.
HWND CreateTransLabel(HWND parent, int id, const RECT& place, bool disabled, bool tabStop,
                      const LabelSettings* stored);

// Stores one setting and repaints the label's spot at once; false for an unknown number
// or a window that is no label.
bool WriteLabelSetting(HWND label, int settingNumber, const LabelSettingValue& value);
bool ReadLabelSetting(HWND label, int settingNumber, LabelSettingValue& out);

// Repaints the outer window's background under the label, then every visible window over
// that spot from the bottom of the z-order up, then queues one more paint of the label.
void RefreshLabelArea(HWND label);
