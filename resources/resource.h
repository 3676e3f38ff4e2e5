// Resource ids shared by countdown.rc and the program. The icon group is
// named "DEFAULT_ICON" by string, so it has no number here.
#pragma once

#define IDR_MAIN_WINDOW_BACKGROUND 101
#define IDR_PIN_ON_TOP_PICTURE 102
#define IDR_POWER_OFF_PICTURE 103

// The hand pointer of the credit link; the frame maps IDC_HAND to it.
#define IDC_HAND_POINTER 1032
