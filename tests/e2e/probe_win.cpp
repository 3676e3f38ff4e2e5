// e2e_probe.exe: looks at a running countdown.exe from outside, in the same Wine prefix.
// It reads one command a line on stdin and answers one line on stdout ("ok ..." or
// "err ..."), so that a test keeps one probe alive instead of paying Wine's start-up per
// question. Controls are named by their layout names in UTF-8; texts travel as hex of
// their UTF-8 bytes, so that spaces, line breaks and long texts never break a line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/control_names.h"
#include "ui/controls_win.h"
#include "ui/main_window_win.h"
#include "tests/e2e/probe_clipboard_win.h"
#include "tests/e2e/probe_exe_win.h"
#include "tests/e2e/probe_read_win.h"
#include "tests/e2e/probe_ticks_win.h"

namespace {

struct NamedControl {
  const char* name; // UTF-8
  Control control;
};

const NamedControl kNames[] = {
    {reinterpret_cast<const char*>(u8"透明标签5"), Control::透明标签5},
    {reinterpret_cast<const char*>(u8"选择框2"), Control::选择框2},
    {reinterpret_cast<const char*>(u8"透明标签4"), Control::透明标签4},
    {reinterpret_cast<const char*>(u8"选择框1"), Control::选择框1},
    {reinterpret_cast<const char*>(u8"透明标签3"), Control::透明标签3},
    {reinterpret_cast<const char*>(u8"透明标签2"), Control::透明标签2},
    {reinterpret_cast<const char*>(u8"透明标签1"), Control::透明标签1},
    {reinterpret_cast<const char*>(u8"按钮2"), Control::按钮2},
    {reinterpret_cast<const char*>(u8"按钮1"), Control::按钮1},
    {reinterpret_cast<const char*>(u8"时钟1"), Control::时钟1},
    {reinterpret_cast<const char*>(u8"组合框1"), Control::组合框1},
    {reinterpret_cast<const char*>(u8"组合框2"), Control::组合框2},
    {reinterpret_cast<const char*>(u8"组合框3"), Control::组合框3},
    {"MainWindow", Control::MainWindow},
};

// Message names the tests use, so that they need no Win32 numbers of their own.
struct NamedMessage {
  const char* name;
  UINT message;
};

const NamedMessage kMessages[] = {
    {"WM_NULL", WM_NULL},
    {"WM_CLOSE", WM_CLOSE},
    {"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
    {"WM_TIMER", WM_TIMER},
    {"CB_SETCURSEL", CB_SETCURSEL},
    {"CB_SHOWDROPDOWN", CB_SHOWDROPDOWN},
    {"BM_CLICK", BM_CLICK},
};

HWND MainWindow() {
  return FindWindowA(kMainWindowClass, nullptr);
}

// The window of a named control, found from outside by its id (the timer, which has no
// id, by its class, which the timer keeps to itself).
HWND WindowOf(Control c) {
  HWND main = MainWindow();
  if (!main || c == Control::MainWindow)
    return main;
  if (c == Control::时钟1)
    return FindWindowExA(main, nullptr, "CountdownTimer", nullptr);
  return GetDlgItem(main, kControlIdBase + ControlIndex(c));
}

bool ControlByName(const std::string& name, Control& out) {
  for (const NamedControl& n : kNames)
    if (name == n.name) {
      out = n.control;
      return true;
    }
  return false;
}

const char* NameOfWindow(HWND hwnd) {
  HWND main = MainWindow();
  for (HWND w = hwnd; w; w = GetParent(w)) {
    for (const NamedControl& n : kNames)
      if (WindowOf(n.control) == w)
        return n.name;
    if (w == main)
      break;
  }
  return "other";
}

// What a test wants to know about one control, in one line.
std::string Describe(Control c) {
  HWND hwnd = WindowOf(c);
  if (!hwnd)
    return "err no-window";
  RECT r;
  GetWindowRect(hwnd, &r);
  char head[200];
  std::snprintf(head, sizeof head, "ok hwnd=%llx rect=%ld,%ld,%ld,%ld visible=%d enabled=%d",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)), r.left, r.top,
                r.right, r.bottom, IsWindowVisible(hwnd) ? 1 : 0, IsWindowEnabled(hwnd) ? 1 : 0);
  std::string out = head;
  out += " text=" + TextOf(hwnd);
  char kind[32] = {};
  GetClassNameA(hwnd, kind, sizeof kind);
  LRESULT value = 0;
  if (lstrcmpiA(kind, "ComboBox") == 0) {
    out += " count=" + (Ask(hwnd, CB_GETCOUNT, 0, 0, value) ? Number(value) : "timeout");
    out += " cursel=" + (Ask(hwnd, CB_GETCURSEL, 0, 0, value) ? Number(value) : "timeout");
    out += " dropped=" + (Ask(hwnd, CB_GETDROPPEDSTATE, 0, 0, value) ? Number(value) : "timeout");
    out += " itemheight=" + (Ask(hwnd, CB_GETITEMHEIGHT, 0, 0, value) ? Number(value) : "timeout");
    out += " top=" + (Ask(hwnd, CB_GETTOPINDEX, 0, 0, value) ? Number(value) : "timeout");
    RECT list = {};
    if (Ask(hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list), value)) {
      char rect[80];
      std::snprintf(rect, sizeof rect, " listrect=%ld,%ld,%ld,%ld", list.left, list.top, list.right,
                    list.bottom);
      out += rect;
    }
  } else if (lstrcmpiA(kind, "Button") == 0) {
    out += " check=" + (Ask(hwnd, BM_GETCHECK, 0, 0, value) ? Number(value) : "timeout");
  }
  return out;
}

std::string DescribeMain() {
  HWND main = MainWindow();
  if (!main)
    return "ok hwnd=0";
  RECT r;
  GetWindowRect(main, &r);
  DWORD pid = 0;
  DWORD thread = GetWindowThreadProcessId(main, &pid);
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(thread, &gui);
  char line[400];
  std::snprintf(line, sizeof line,
                "ok hwnd=%llx rect=%ld,%ld,%ld,%ld visible=%d style=%lx exstyle=%lx foreground=%d "
                "active=%d focus=%s pid=%lu xid=%llx",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(main)), r.left, r.top,
                r.right, r.bottom, IsWindowVisible(main) ? 1 : 0,
                static_cast<unsigned long>(GetWindowLongPtrA(main, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongPtrA(main, GWL_EXSTYLE)),
                GetForegroundWindow() == main ? 1 : 0, gui.hwndActive == main ? 1 : 0,
                gui.hwndFocus ? NameOfWindow(gui.hwndFocus) : "none", pid,
                // Wine's X11 driver keeps the X window of a top-level window in this property.
                static_cast<unsigned long long>(
                    reinterpret_cast<UINT_PTR>(GetPropA(main, "__wine_x11_whole_window"))));
  std::string out = line;
  if (gui.hwndFocus) {
    char kind[32] = {};
    GetClassNameA(gui.hwndFocus, kind, sizeof kind);
    out += std::string(" focusclass=") + kind;
  }
  return out;
}

// Waits for the main window's first visible moment and reads what it shows then, as
// fast as possible: the lists' counts and selections and the digit captions.
std::string FirstVisible(DWORD timeoutMs) {
  DWORD start = GetTickCount();
  bool existed = false;
  while (GetTickCount() - start < timeoutMs) {
    HWND main = MainWindow();
    existed = existed || main;
    if (main && IsWindowVisible(main)) {
      std::string counts, selections;
      const Control lists[] = {Control::组合框1, Control::组合框2, Control::组合框3};
      for (Control c : lists) {
        LRESULT count = -2, sel = -2;
        Ask(WindowOf(c), CB_GETCOUNT, 0, 0, count);
        Ask(WindowOf(c), CB_GETCURSEL, 0, 0, sel);
        counts += (counts.empty() ? "" : ",") + Number(count);
        selections += (selections.empty() ? "" : ",") + Number(sel);
      }
      std::string out = "ok counts=" + counts + " cursels=" + selections;
      out += " waited=" + std::to_string(GetTickCount() - start);
      out += existed ? " hidden-before=1" : " hidden-before=0";
      return out;
    }
    Sleep(1);
  }
  return "err not-visible";
}

// The opened list of a drop-down box: the one visible "ComboLBox" top-level window of the
// program's thread (only one list can be open at a time). The answer gives the screen
// rectangle of item `index` in it.
std::string OpenListItem(int index) {
  HWND main = MainWindow();
  if (!main)
    return "err no-window";
  DWORD thread = GetWindowThreadProcessId(main, nullptr);
  for (HWND list = FindWindowExA(nullptr, nullptr, "ComboLBox", nullptr); list;
       list = FindWindowExA(nullptr, list, "ComboLBox", nullptr)) {
    if (!IsWindowVisible(list) || GetWindowThreadProcessId(list, nullptr) != thread)
      continue;
    RECT outer, item = {};
    GetWindowRect(list, &outer);
    LRESULT r = 0;
    if (!Ask(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item), r) || r == LB_ERR)
      return "err no-item";
    POINT corners[2] = {{item.left, item.top}, {item.right, item.bottom}};
    MapWindowPoints(list, nullptr, corners, 2);
    char line[200];
    std::snprintf(line, sizeof line, "ok list=%ld,%ld,%ld,%ld item=%ld,%ld,%ld,%ld", outer.left,
                  outer.top, outer.right, outer.bottom, corners[0].x, corners[0].y, corners[1].x,
                  corners[1].y);
    return line;
  }
  return "err no-open-list";
}

std::string Command(const std::vector<std::string>& words) {
  const std::string& verb = words[0];
  Control c;
  if (verb == "main")
    return DescribeMain();
  if (verb == "first-visible")
    return FirstVisible(words.size() > 1 ? std::atoi(words[1].c_str()) : 10000);
  if (verb == "hit" && words.size() == 3) { // which window a screen point falls on
    POINT p = {std::atoi(words[1].c_str()), std::atoi(words[2].c_str())};
    HWND at = WindowFromPoint(p);
    return std::string("ok name=") + (at ? NameOfWindow(at) : "none");
  }
  if (verb == "listitem" && words.size() == 2)
    return OpenListItem(std::atoi(words[1].c_str()));
  if (verb == "ping") {
    LRESULT r = 0;
    DWORD start = GetTickCount();
    HWND main = MainWindow();
    if (!main)
      return "err no-window";
    return Ask(main, WM_NULL, 0, 0, r) ? "ok ms=" + std::to_string(GetTickCount() - start)
                                       : "err timeout";
  }
  if (verb == "ticks" && words.size() == 3) {
    const HWND digits[3] = {WindowOf(Control::透明标签1), WindowOf(Control::透明标签2),
                            WindowOf(Control::透明标签3)};
    return PostTicks(WindowOf(Control::时钟1), digits, std::atoi(words[1].c_str()),
                     std::atoi(words[2].c_str()));
  }
  if (verb == "usage")
    return ProcessUsage(MainWindow());
  if (verb == "fileversion" && words.size() == 2)
    return FileVersion(Unhex(words[1]));
  if (verb == "resource" && words.size() == 4)
    return ResourceData(Unhex(words[1]), std::atoi(words[2].c_str()), std::atoi(words[3].c_str()));
  if (verb == "clipboard" && words.size() <= 2)
    return SetClipboardText(words.size() == 2 ? Unhex(words[1]) : "");
  if (words.size() < 2 || !ControlByName(words[1], c))
    return "err unknown-control";
  HWND hwnd = WindowOf(c);
  if (verb == "get")
    return Describe(c);
  if (!hwnd)
    return "err no-window";
  if (verb == "item" && words.size() == 3)
    return "ok text=" + ItemOf(hwnd, std::atoi(words[2].c_str()));
  if (verb == "edit") { // the edit field inside a drop-down box
    HWND edit = FindWindowExA(hwnd, nullptr, "Edit", nullptr);
    return edit ? "ok text=" + TextOf(edit) : "err no-edit";
  }
  if (verb == "settext" && words.size() <= 3) {
    std::string text = Convert(words.size() == 3 ? Unhex(words[2]) : "", CP_UTF8, kAnsiCodePage);
    LRESULT r = 0;
    return Ask(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), r)
               ? "ok result=" + Number(r)
               : "err timeout";
  }
  if ((verb == "send" || verb == "post") && words.size() == 5) {
    UINT message = static_cast<UINT>(std::strtoul(words[2].c_str(), nullptr, 0));
    for (const NamedMessage& m : kMessages)
      if (words[2] == m.name)
        message = m.message;
    WPARAM wParam = std::strtoull(words[3].c_str(), nullptr, 0);
    LPARAM lParam = std::strtoll(words[4].c_str(), nullptr, 0);
    if (verb == "post")
      return PostMessageA(hwnd, message, wParam, lParam) ? "ok" : "err post-failed";
    LRESULT r = 0;
    return Ask(hwnd, message, wParam, lParam, r) ? "ok result=" + Number(r) : "err timeout";
  }
  return "err unknown-command";
}

} // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::vector<std::string> words;
    std::istringstream split(line);
    for (std::string w; split >> w;)
      words.push_back(w);
    if (words.empty())
      continue;
    if (words[0] == "quit")
      break;
    std::string answer = Command(words);
    std::fputs(answer.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  return 0;
}
