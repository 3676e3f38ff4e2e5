#include "app/input_events.h"

namespace {

EventArgs MouseArgs(int64_t lParam, int32_t keyState) {
  // The position's halves are taken as unsigned 16-bit numbers, as the event has always
  // carried them: a press left of a control's edge reads as a large x, not a negative one.
  uint32_t position = static_cast<uint32_t>(lParam);
  return {static_cast<int32_t>(position & 0xFFFF), static_cast<int32_t>(position >> 16), keyState};
}

} // namespace

InputEvent InputEventFor(uint32_t message, uint64_t wParam, int64_t lParam, int32_t keyState) {
  switch (message) {
  case kWmLButtonDown: return {kLeftPressed, MouseArgs(lParam, keyState)};
  case kWmLButtonUp: return {kLeftReleased, MouseArgs(lParam, keyState)};
  case kWmLButtonDblClk: return {kLeftDoubleClicked, MouseArgs(lParam, keyState)};
  case kWmRButtonDown: return {kRightPressed, MouseArgs(lParam, keyState)};
  case kWmRButtonUp: return {kRightReleased, MouseArgs(lParam, keyState)};
  case kWmMouseMove: return {kMouseMoved, MouseArgs(lParam, keyState)};
  case kWmKeyDown:
  case kWmSysKeyDown: return {kKeyPressed, {static_cast<int32_t>(wParam & 0xFFFF), keyState, 0}};
  case kWmKeyUp:
  case kWmSysKeyUp: return {kKeyReleased, {static_cast<int32_t>(wParam & 0xFFFF), keyState, 0}};
  case kWmChar: return {kCharacterTyped, {static_cast<int32_t>(wParam & 0xFFFF), 0, 0}};
  case kWmMouseWheel: {
    int16_t delta = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
    return {kWheelTurned, {delta / 120, keyState, 0}};
  }
  default: return {};
  }
}
