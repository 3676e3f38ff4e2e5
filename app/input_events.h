// Which shared input event a window message raises, and with what arguments. The
// message numbers are written here once and checked against <windows.h> by the shell.
#pragma once

#include <cstdint>

#include "app/event_binding.h"

constexpr uint32_t kWmKeyDown = 0x0100;
constexpr uint32_t kWmKeyUp = 0x0101;
constexpr uint32_t kWmChar = 0x0102;
constexpr uint32_t kWmSysKeyDown = 0x0104;
constexpr uint32_t kWmSysKeyUp = 0x0105;
constexpr uint32_t kWmMouseMove = 0x0200;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmLButtonDblClk = 0x0203;
constexpr uint32_t kWmRButtonDown = 0x0204;
constexpr uint32_t kWmRButtonUp = 0x0205;
constexpr uint32_t kWmMouseWheel = 0x020A;

// The key state bits of the events.
constexpr int32_t kKeyStateCtrl = 1;
constexpr int32_t kKeyStateShift = 2;
constexpr int32_t kKeyStateAlt = 4;

struct InputEvent {
  int event = 0; // 0: the message raises no shared event
  EventArgs args;
};

// keyState is the Ctrl/Shift/Alt bit set at the moment the message is taken.
InputEvent InputEventFor(uint32_t message, uint64_t wParam, int64_t lParam, int32_t keyState);
