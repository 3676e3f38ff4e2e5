#include "tests/support/controls_stand_in.h"

#include <algorithm>

#include "ui/control_ops.h"

StandInControls g_standIn;

namespace {

const char* const kNames[kControlCount + 1] = {
    "透明标签5", "选择框2", "透明标签4", "选择框1", "透明标签3", "透明标签2", "透明标签1",
    "按钮2",     "按钮1",   "时钟1",     "组合框1", "组合框2",   "组合框3",   "MainWindow"};

void Log(const std::string& op, Control c, const std::string& argument) {
  g_standIn.calls.push_back(op + "(" + StandInName(c) + "," + argument + ")");
}

} // namespace

std::string StandInName(Control c) {
  return kNames[ControlIndex(c)];
}

void ResetStandIn() {
  g_standIn = StandInControls{};
  for (int i = 0; i < kControlCount; ++i) {
    g_standIn.selection[i] = -1;
    g_standIn.checked[i] = false;
  }
  for (Control c : {Control::透明标签1, Control::透明标签2, Control::透明标签3})
    g_standIn.caption[ControlIndex(c)] = "0";
}

int AddItem(Control list, const std::string& text) {
  Log("AddItem", list, text);
  auto& items = g_standIn.items[ControlIndex(list)];
  if (items.size() >= g_standIn.listCapacity)
    return -1;
  items.push_back(text);
  return static_cast<int>(items.size()) - 1;
}

std::string GetItemText(Control list, int index) {
  Log("GetItemText", list, std::to_string(index));
  const auto& items = g_standIn.items[ControlIndex(list)];
  if (index < 0 || index >= static_cast<int>(items.size()))
    return "";
  return items[index];
}

int GetCurrentSelection(Control list) {
  Log("GetCurrentSelection", list, "");
  return g_standIn.selection[ControlIndex(list)];
}

void SetCurrentSelection(Control list, int index) {
  Log("SetCurrentSelection", list, std::to_string(index));
  int n = static_cast<int>(g_standIn.items[ControlIndex(list)].size());
  g_standIn.selection[ControlIndex(list)] = std::max(std::min(index, n - 1), -1);
}

bool IsChecked(Control checkBox) {
  Log("IsChecked", checkBox, "");
  return g_standIn.checked[ControlIndex(checkBox)];
}

void SetCaption(Control label, const std::string& text) {
  Log("SetCaption", label, text);
  g_standIn.caption[ControlIndex(label)] = text;
}

void SetTimerPeriod(Control timer, int periodMs) {
  Log("SetTimerPeriod", timer, std::to_string(periodMs));
  g_standIn.timerPeriod = std::max(periodMs, 0);
}

void SetAlwaysOnTop(Control window, int flag) {
  Log("SetAlwaysOnTop", window, std::to_string(flag));
  g_standIn.alwaysOnTop = flag == 1 ? 1 : 0;
}

void EndProgram(int exitCode) {
  Log("EndProgram", Control::MainWindow, std::to_string(exitCode));
  throw ProgramEnded{exitCode};
}

bool RequestPowerOff(int mode, bool force) {
  Log("RequestPowerOff", Control::MainWindow, std::to_string(mode) + (force ? ",1" : ",0"));
  return g_standIn.powerOffAccepted;
}

void OpenWebPage(const char* address) {
  Log("OpenWebPage", Control::MainWindow, address ? address : "(none)");
}
