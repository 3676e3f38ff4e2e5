// The one message loop and its pre-translation: dragging by the background, Tab and
// Shift+Tab, Esc, and the shared input events of the controls.
#include <windows.h>

#include "app/event_binding.h"
#include "app/frame_win.h"
#include "app/input_events.h"
#include "ui/controls_win.h"
#include "ui/layout.h"
#include "ui/main_window_win.h"
#include "ui/tab_order.h"

static_assert(kWmKeyDown == WM_KEYDOWN && kWmKeyUp == WM_KEYUP && kWmChar == WM_CHAR &&
              kWmSysKeyDown == WM_SYSKEYDOWN && kWmSysKeyUp == WM_SYSKEYUP &&
              kWmMouseMove == WM_MOUSEMOVE && kWmLButtonDown == WM_LBUTTONDOWN &&
              kWmLButtonUp == WM_LBUTTONUP && kWmLButtonDblClk == WM_LBUTTONDBLCLK &&
              kWmRButtonDown == WM_RBUTTONDOWN && kWmRButtonUp == WM_RBUTTONUP &&
              kWmMouseWheel == WM_MOUSEWHEEL);

namespace {

int32_t KeyState() {
  int32_t state = 0;
  if (GetKeyState(VK_CONTROL) < 0)
    state |= kKeyStateCtrl;
  if (GetKeyState(VK_SHIFT) < 0)
    state |= kKeyStateShift;
  if (GetKeyState(VK_MENU) < 0)
    state |= kKeyStateAlt;
  return state;
}

bool IsLive(Control c) {
  HWND hwnd = ControlWindow(c);
  return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

void MoveFocus(bool backward) {
  std::vector<Control> cycle = TabCycle(IsLive);
  Control from = Control::MainWindow, to;
  ControlOfWindow(GetFocus(), from);
  if (NextInTabCycle(cycle, from, backward, to))
    SetFocus(ControlWindow(to));
}

// The main window or a window inside it (a drop-down's list counts as inside its box).
bool IsOurs(HWND main, HWND hwnd) {
  Control c;
  return hwnd == main || IsChild(main, hwnd) || ControlOfWindow(hwnd, c);
}

bool StartBackgroundDrag(HWND main, const MSG& msg) {
  if (msg.message != WM_LBUTTONDOWN || msg.hwnd != main || !kMainWindowLayout.moveByDragging)
    return false;
  POINT p = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  ClientToScreen(main, &p);
  ReleaseCapture();
  PostMessageA(main, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
  return true;
}

bool HandleNavigationKey(HWND main, const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
    return false;
  int32_t state = KeyState();
  if (msg.wParam == VK_TAB && !(state & (kKeyStateCtrl | kKeyStateAlt))) {
    MoveFocus((state & kKeyStateShift) != 0);
    return true;
  }
  if (msg.wParam == VK_ESCAPE && state == 0 && kMainWindowLayout.escapeCloses) {
    SendMessageA(main, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}

// Raises the shared input event of the message; true when a handler asked for the
// message to be consumed by returning false.
bool RaiseInputEvent(HWND main, const MSG& msg) {
  // Only key and mouse messages carry a key state; asking for it costs a round trip to
  // the window manager per key, so the timer's and the paints' messages skip it.
  bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
               (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
  if (!input)
    return false;
  InputEvent event = InputEventFor(msg.message, msg.wParam, msg.lParam, KeyState());
  if (!event.event)
    return false;
  Control c = Control::MainWindow;
  if (msg.hwnd != main && !ControlOfWindow(msg.hwnd, c))
    return false;
  RaiseResult r = RaiseEvent(c, event.event, event.args);
  return r.handlerRan && r.result.hasValue && r.result.value == 0;
}

bool PreTranslate(const MSG& msg) {
  HWND main = ControlWindow(Control::MainWindow);
  if (!main || !IsOurs(main, msg.hwnd))
    return false;
  return StartBackgroundDrag(main, msg) || HandleNavigationKey(main, msg) ||
         RaiseInputEvent(main, msg);
}

} // namespace

void RunEventLoop() {
  if (!IsWindow(ControlWindow(Control::MainWindow)))
    return;
  SetEventLoopRunning(true);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslate(msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  SetEventLoopRunning(false);
}
