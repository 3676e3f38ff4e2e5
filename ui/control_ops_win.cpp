// The control operations on the real Windows controls: thin wrappers over their
// messages, with Windows' return conventions noted where a call is wrapped.
#include <windows.h>

#include <algorithm>

#include "ui/control_ops.h"
#include "ui/controls_win.h"
#include "ui/timer_win.h"
#include "ui/trans_label_win.h"

int AddItem(Control list, const std::string& text) {
  // CB_ERR (-1) or CB_ERRSPACE (-2) when the list refuses the item.
  LRESULT index =
      SendMessageA(ControlWindow(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return index < 0 ? -1 : static_cast<int>(index);
}

std::string GetItemText(Control list, int index) {
  HWND hwnd = ControlWindow(list);
  LRESULT count = SendMessageA(hwnd, CB_GETCOUNT, 0, 0);
  if (index < 0 || index >= count)
    return "";
  // The length may be larger than the text for double-byte texts; CB_GETLBTEXT tells
  // the real one.
  LRESULT length = SendMessageA(hwnd, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0)
    return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT got = SendMessageA(hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (got < 0)
    return "";
  text.resize(std::min(static_cast<size_t>(got), static_cast<size_t>(length)));
  return text;
}

int GetCurrentSelection(Control list) {
  // CB_ERR (-1) when nothing is selected.
  return static_cast<int>(SendMessageA(ControlWindow(list), CB_GETCURSEL, 0, 0));
}

void SetCurrentSelection(Control list, int index) {
  HWND hwnd = ControlWindow(list);
  LRESULT count = SendMessageA(hwnd, CB_GETCOUNT, 0, 0);
  if (count < 0)
    count = 0;
  int i = std::max(std::min<LRESULT>(index, count - 1), LRESULT{-1});
  // Sends no CBN_SELCHANGE, so no event follows.
  SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

bool IsChecked(Control checkBox) {
  return SendMessageA(ControlWindow(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCaption(Control label, const std::string& text) {
  LabelSettingValue value;
  value.text = text;
  WriteLabelSetting(ControlWindow(label), kLabelCaption, value);
}

void SetTimerPeriod(Control timer, int periodMs) {
  ApplyTimerPeriod(timer, periodMs);
}

void SetAlwaysOnTop(Control window, int flag) {
  ControlRecord& record = RecordOf(window);
  record.alwaysOnTop = flag;
  SetWindowPos(record.hwnd, flag == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}
