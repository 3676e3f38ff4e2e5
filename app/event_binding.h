// The event binding table and event delivery. Events are numbered per control: 0 is
// the control's main event (created, clicked, tick), negative numbers the input events
// that every control shares.
#pragma once

#include <cstdint>

#include "ui/control_names.h"

enum EventNumber : int {
  kMainEvent = 0,
  kLeftPressed = -1,
  kLeftReleased = -2,
  kLeftDoubleClicked = -3,
  kRightPressed = -4,
  kRightReleased = -5,
  kMouseMoved = -6,
  kFocusGained = -7,
  kFocusLost = -8,
  kKeyPressed = -9,
  kKeyReleased = -10,
  kCharacterTyped = -11,
  kWheelTurned = -12,
};

// Up to three arguments, in the order of the event: x, y, key state; key code, key
// state; character code; wheel steps, key state.
struct EventArgs {
  int32_t a = 0;
  int32_t b = 0;
  int32_t c = 0;
};

// A handler either returns nothing or one value; none of this program's returns one.
struct HandlerResult {
  bool hasValue = false;
  int32_t value = 0;
};

using EventHandler = HandlerResult (*)(const EventArgs&);

struct EventBinding {
  Control source;
  int event;
  EventHandler handler;
};

extern const EventBinding kEventBindings[];
extern const int kEventBindingCount;

struct RaiseResult {
  bool handlerRan = false;
  HandlerResult result;
};

// The handler bound to the pair, or null.
EventHandler BoundHandler(Control source, int event);

// Runs the bound handler synchronously, unless events are held back.
RaiseResult RaiseEvent(Control source, int event, const EventArgs& args = {});

// The hold count: events are delivered only while it is 0.
void HoldEvents();
void ReleaseEvents();
int EventHoldCount();
