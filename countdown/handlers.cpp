#include "countdown/handlers.h"

#include "countdown/countdown_state.h"
#include "system/web_link.h"
#include "ui/control_ops.h"

namespace {

constexpr Control kLists[3] = {Control::组合框1, Control::组合框2, Control::组合框3};
constexpr Control kDisplays[3] = {Control::透明标签1, Control::透明标签2, Control::透明标签3};

constexpr int kHourItems = 24;
constexpr int kMinuteItems = 60;
constexpr int kTickPeriodMs = 1000;

void ShowZeros() {
  for (Control label : kDisplays)
    SetCaption(label, "0");
}

} // namespace

void OnMainWindowCreated() {
  // The lists get their items interleaved; each add gets a text of its own.
  for (int i = 1; i <= kMinuteItems; ++i) {
    if (i <= kHourItems)
      AddItem(Control::组合框1, ToText(static_cast<double>(i - 1)));
    AddItem(Control::组合框2, ToText(static_cast<double>(i - 1)));
    AddItem(Control::组合框3, ToText(static_cast<double>(i - 1)));
  }
  for (Control list : kLists)
    SetCurrentSelection(list, 0);
}

void OnStartClicked() {
  for (int k = 0; k < 3; ++k) {
    int index = GetCurrentSelection(kLists[k]);
    TimeParts[k] = ToInteger(GetItemText(kLists[k], index));
  }
  RemainingSeconds = ComposeDuration(TimeParts[0], TimeParts[1], TimeParts[2]);
  SetTimerPeriod(Control::时钟1, kTickPeriodMs);
}

void OnStopClicked() {
  SetTimerPeriod(Control::时钟1, 0);
  ShowZeros();
}

void OnCountdownTick() {
  if (RemainingSeconds != 0) {
    SplitParts parts = SplitRemaining(RemainingSeconds);
    TimeParts[0] = parts.hours;
    TimeParts[1] = parts.minutes;
    TimeParts[2] = parts.seconds;
    for (int k = 0; k < 3; ++k)
      SetCaption(kDisplays[k], ToText(TimeParts[k]));
    --RemainingSeconds;
    return;
  }
  ShowZeros();
  SetTimerPeriod(Control::时钟1, 0);
  if (IsChecked(Control::选择框2)) {
    // The request's answer is not looked at: the program ends either way.
    RequestPowerOff(kPowerOffMode, true);
    EndProgram(0);
  }
}

void OnPinClicked() {
  bool checked = IsChecked(Control::选择框1);
  SetAlwaysOnTop(Control::MainWindow, checked ? 1 : 0);
}

void OnExitLabelPressed(int, int, int) {
  EndProgram(0);
}

void OnLinkLabelPressed(int, int, int) {
  OpenWebPage(kLinkAddress);
}
