#include "ui/timer_win.h"

#include <new>

#include "app/event_binding.h"
#include "app/fatal_error_win.h"
#include "ui/window_class_win.h"
#include "ui/controls_win.h"

namespace {

constexpr char kTimerClass[] = "CountdownTimer";

bool TimerOfWindow(HWND hwnd, Control& out) {
  for (int i = 0; i < kControlCount; ++i)
    if (g_controls[i].hwnd == hwnd && kControlLayout[i].kind == ControlKind::Timer) {
      out = static_cast<Control>(i);
      return true;
    }
  return false;
}

void OnTimerMessage(HWND hwnd, UINT_PTR id) {
  Control timer;
  if (id == kSystemTimerId && TimerOfWindow(hwnd, timer))
    RaiseEvent(timer, kMainEvent);
}

void OnTimerDestroy(HWND hwnd) {
  Control timer;
  if (TimerOfWindow(hwnd, timer) && RecordOf(timer).timerRunning) {
    KillTimer(hwnd, kSystemTimerId);
    RecordOf(timer).timerRunning = false;
  }
}

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
    case WM_TIMER: OnTimerMessage(hwnd, wParam); return 0;
    case WM_DESTROY: OnTimerDestroy(hwnd); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  } catch (const std::bad_alloc&) {
    FatalError("分配内存");
  }
}

bool RegisterTimerClass() {
  return RegisterWindowClass(kTimerClass, TimerWindowProc, 0, nullptr, nullptr);
}

} // namespace

HWND CreateTimerControl(HWND parent, const ControlLayout& entry) {
  if (!RegisterTimerClass())
    return nullptr;
  HWND hwnd = CreateWindowExA(0, kTimerClass, "", WS_CHILD, entry.place.left, entry.place.top,
                              entry.place.width, entry.place.height, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd)
    return nullptr;
  ControlRecord& record = RecordOf(entry.name);
  record.hwnd = hwnd;
  record.timerPeriod = 0;
  record.timerRunning = false;
  ApplyTimerPeriod(entry.name, entry.timer.periodMs);
  return hwnd;
}

void ApplyTimerPeriod(Control timer, int periodMs) {
  ControlRecord& record = RecordOf(timer);
  if (periodMs < 0)
    periodMs = 0;
  if (periodMs == record.timerPeriod)
    return;
  record.timerPeriod = periodMs;
  if (record.timerRunning)
    KillTimer(record.hwnd, kSystemTimerId);
  record.timerRunning = periodMs > 0 && SetTimer(record.hwnd, kSystemTimerId, periodMs, nullptr);
}
