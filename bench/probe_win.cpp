// The bench's hand on a running countdown.exe, from a process of its own in the same
// Wine prefix. It finds the program's window by its class (--class NAME for another
// program's; with --at X Y, the one whose top-left corner is there) and its controls by
// their identifiers, then:
//   move X Y        puts the window there, so that another copy can run uncovered;
//   close           posts WM_CLOSE, as the task bar's close command does (Esc from
//                   xdotool reaches the right window only while it is the only one);
//   start H M S [N] picks H, M and S in the three lists and clicks "开始" (a posted
//                   BN_CLICKED, as the button sends it); with N it then watches the
//                   three digit labels' window texts every 5 ms and prints one line
//                   "tick I MS CAPTIONS" per tick seen, MS on the performance counter's
//                   clock, until N ticks. A tick is the first text change after at
//                   least 300 ms without one: the three captions of one tick change a
//                   few ms apart, and a caption that stays the same (the seconds of
//                   the first tick of 0:2:0) is still caught through the others.
// Exit code 0 when done, 2 when the window, a control or the ticks are missing, 1 on
// bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/clock_win.h"
#include "ui/controls_win.h"
#include "ui/main_window_win.h"

namespace {

constexpr DWORD kPollMs = 5;
constexpr double kSameTickMs = 300.0;

struct Search {
  const char* className = kMainWindowClass;
  bool anyPlace = true;
  int left = 0, top = 0;
  HWND found = nullptr;
};

BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  char name[64];
  if (!GetClassNameA(hwnd, name, sizeof name) || std::strcmp(name, search.className) != 0)
    return TRUE;
  RECT r;
  GetWindowRect(hwnd, &r);
  if (!search.anyPlace && (r.left != search.left || r.top != search.top))
    return TRUE;
  search.found = hwnd;
  return FALSE;
}

HWND ControlOf(HWND window, Control c) {
  return GetDlgItem(window, kControlIdBase + ControlIndex(c));
}

int Start(HWND window, const int values[3]) {
  const Control lists[3] = {Control::组合框1, Control::组合框2, Control::组合框3};
  for (int k = 0; k < 3; ++k) {
    HWND list = ControlOf(window, lists[k]);
    if (!list || SendMessageA(list, CB_SETCURSEL, values[k], 0) != values[k]) {
      std::fprintf(stderr, "probe: cannot pick %d in list %d\n", values[k], k + 1);
      return 2;
    }
  }
  HWND start = ControlOf(window, Control::按钮1);
  if (!start)
    return 2;
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(start), BN_CLICKED),
               reinterpret_cast<LPARAM>(start));
  return 0;
}

std::string Captions(const HWND labels[3]) {
  std::string all;
  for (int k = 0; k < 3; ++k) {
    char text[32] = "";
    GetWindowTextA(labels[k], text, sizeof text);
    all += text;
    all += '|';
  }
  return all;
}

// Starts the count, then watches it; the captions before the click are the reference.
int StartAndWatch(HWND window, const int values[3], int count) {
  const HWND labels[3] = {ControlOf(window, Control::透明标签1),
                          ControlOf(window, Control::透明标签2),
                          ControlOf(window, Control::透明标签3)};
  if (!labels[0] || !labels[1] || !labels[2])
    return 2;
  std::string last = Captions(labels);
  if (int failed = Start(window, values))
    return failed;
  double lastChange = -1e9;
  // Gives up when ticks stop coming: five seconds beyond the last expected one.
  double deadline = NowMs() + 1000.0 * count + 5000.0;
  int seen = 0;
  while (seen < count && NowMs() < deadline) {
    Sleep(kPollMs);
    std::string now = Captions(labels);
    if (now == last)
      continue;
    double t = NowMs();
    last = now;
    if (t - lastChange >= kSameTickMs) {
      ++seen;
      std::printf("tick %d %.3f %s\n", seen, t, now.c_str());
      std::fflush(stdout);
    }
    lastChange = t;
  }
  return seen == count ? 0 : 2;
}

int Usage() {
  std::fprintf(stderr,
               "usage: probe [--class NAME] [--at X Y] (move X Y | close | start H M S [TICKS])\n");
  return 1;
}

} // namespace

int main(int argc, char** argv) {
  Search search;
  int i = 1;
  if (i + 1 < argc && std::strcmp(argv[i], "--class") == 0) {
    search.className = argv[i + 1];
    i += 2;
  }
  if (i + 2 < argc && std::strcmp(argv[i], "--at") == 0) {
    search.anyPlace = false;
    search.left = std::atoi(argv[i + 1]);
    search.top = std::atoi(argv[i + 2]);
    i += 3;
  }
  if (i >= argc)
    return Usage();
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    std::fprintf(stderr, "probe: no window of class %s found\n", search.className);
    return 2;
  }
  const std::string command = argv[i];
  const int given = argc - i - 1;
  if (command == "move" && given == 2) {
    SetWindowPos(search.found, nullptr, std::atoi(argv[i + 1]), std::atoi(argv[i + 2]), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  if (command == "close" && given == 0) {
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == "start" && (given == 3 || given == 4)) {
    const int values[3] = {std::atoi(argv[i + 1]), std::atoi(argv[i + 2]), std::atoi(argv[i + 3])};
    if (given == 3)
      return Start(search.found, values);
    return StartAndWatch(search.found, values, std::atoi(argv[i + 4]));
  }
  return Usage();
}
