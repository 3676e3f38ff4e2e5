#include "app/event_binding.h"

#include "countdown/handlers.h"

namespace {

int holdCount = 0;

template <void (*Handler)()> HandlerResult Plain(const EventArgs&) {
  Handler();
  return {};
}

template <void (*Handler)(int, int, int)> HandlerResult Press(const EventArgs& args) {
  Handler(args.a, args.b, args.c);
  return {};
}

} // namespace

const EventBinding kEventBindings[] = {
    {Control::MainWindow, kMainEvent, Plain<OnMainWindowCreated>},
    {Control::按钮1, kMainEvent, Plain<OnStartClicked>},
    {Control::按钮2, kMainEvent, Plain<OnStopClicked>},
    {Control::时钟1, kMainEvent, Plain<OnCountdownTick>},
    {Control::选择框1, kMainEvent, Plain<OnPinClicked>},
    {Control::透明标签4, kLeftPressed, Press<OnExitLabelPressed>},
    {Control::透明标签5, kLeftPressed, Press<OnLinkLabelPressed>},
};
const int kEventBindingCount = sizeof kEventBindings / sizeof kEventBindings[0];

EventHandler BoundHandler(Control source, int event) {
  for (const EventBinding& b : kEventBindings)
    if (b.source == source && b.event == event)
      return b.handler;
  return nullptr;
}

RaiseResult RaiseEvent(Control source, int event, const EventArgs& args) {
  RaiseResult r;
  if (holdCount > 0)
    return r;
  EventHandler handler = BoundHandler(source, event);
  if (!handler)
    return r;
  r.result = handler(args);
  r.handlerRan = true;
  return r;
}

void HoldEvents() {
  ++holdCount;
}

void ReleaseEvents() {
  if (holdCount > 0)
    --holdCount;
}

int EventHoldCount() {
  return holdCount;
}
