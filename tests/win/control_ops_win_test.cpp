// The control operations on real Windows controls: each test makes a plain window of its
// own, creates the controls it needs from their layout entries, acts through the
// operations and looks at the controls through their own messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "app/event_binding.h"
#include "ui/control_ops.h"
#include "ui/controls_win.h"
#include "ui/layout.h"
#include "ui/timer_win.h"
#include "tests/win/support/screen_probe_win.h"

namespace {

// Milliseconds of the performance counter; <chrono> cannot be used here, since one of
// its literals has no form in the GBK execution character set.
int64_t NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return count.QuadPart * 1000 / frequency.QuadPart;
}

constexpr char kParentClass[] = "ControlOpsTestParent";

// Notifications the controls sent to the test's window, as (code, control id) pairs.
std::vector<std::pair<int, int>> g_notifications;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam)
    g_notifications.emplace_back(HIWORD(wParam), LOWORD(wParam));
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeTopWindow(const char* title, DWORD style, int left, int top) {
  WNDCLASSA wc = {};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), kParentClass, &wc)) {
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
  }
  return CreateWindowExA(0, kParentClass, title, style, left, top, 300, 200, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// A window of the test's own holds the controls; the program's control records are
// saved before and put back after, so that no test sees another's windows.
class ControlOpsTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::copy(std::begin(g_controls), std::end(g_controls), saved_);
    g_notifications.clear();
    parent_ = MakeTopWindow("control ops", WS_POPUP | WS_CLIPCHILDREN, 10, 10);
    ASSERT_NE(parent_, nullptr);
    ShowWindow(parent_, SW_SHOWNA);
  }

  void TearDown() override {
    for (HWND hwnd : topWindows_)
      DestroyWindow(hwnd);
    if (parent_)
      DestroyWindow(parent_);
    for (int i = 0; i < kControlCount; ++i)
      if (g_controls[i].hwnd != saved_[i].hwnd)
        ReleaseControlRecord(static_cast<Control>(i));
    std::copy(std::begin(saved_), std::end(saved_), g_controls);
  }

  // A further top-level window, destroyed with the test.
  HWND TopWindow(const char* title, int left, int top) {
    HWND hwnd = MakeTopWindow(title, WS_POPUP, left, top);
    topWindows_.push_back(hwnd);
    return hwnd;
  }

  HWND parent_ = nullptr;

private:
  std::vector<HWND> topWindows_;
  ControlRecord saved_[kControlCount + 1];
};

// ---- Drop-down lists ----------------------------------------------------------------

// 组合框2 as the program fills it: the items "0" to "59".
class ListOpsTest : public ControlOpsTest {
protected:
  void SetUp() override {
    ControlOpsTest::SetUp();
    list_ = CreateComboBoxControl(parent_, LayoutOf(Control::组合框2));
    ASSERT_NE(list_, nullptr);
    ASSERT_EQ(ControlWindow(Control::组合框2), list_);
  }

  void Fill() {
    for (int i = 0; i < 60; ++i)
      ASSERT_EQ(AddItem(Control::组合框2, ToText(i)), i);
  }

  HWND list_ = nullptr;
};

TEST_F(ListOpsTest, AddItemAppendsAndAnswersTheNewIndex) {
  EXPECT_EQ(AddItem(Control::组合框2, "7"), 0);
  EXPECT_EQ(AddItem(Control::组合框2, "3"), 1); // not sorted: appended after "7"
  EXPECT_EQ(AddItem(Control::组合框2, ""), 2);
  EXPECT_EQ(AddItem(Control::组合框2, "时分秒"), 3);
  ASSERT_EQ(SendMessageA(list_, CB_GETCOUNT, 0, 0), 4);
  char text[32] = {};
  SendMessageA(list_, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "3");
  EXPECT_EQ(GetItemText(Control::组合框2, 3), "时分秒");
}

TEST_F(ListOpsTest, GetItemTextAnswersEmptyOutsideTheList) {
  Fill();
  struct Case {
    int index;
    const char* text;
  };
  const Case cases[] = {
      {0, "0"}, {9, "9"}, {10, "10"},    {59, "59"},    {-1, ""},
      {60, ""}, {61, ""}, {INT_MIN, ""}, {INT_MAX, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetItemText(Control::组合框2, c.index), c.text) << "index " << c.index;
}

TEST_F(ListOpsTest, GetItemTextOfAnEmptyListIsEmpty) {
  EXPECT_EQ(GetItemText(Control::组合框2, 0), "");
  EXPECT_EQ(GetItemText(Control::组合框2, -1), "");
}

TEST_F(ListOpsTest, SetCurrentSelectionClampsIntoTheList) {
  Fill();
  struct Case {
    int index;
    int selected;
    const char* shown; // the edit field's text afterwards
  };
  const Case cases[] = {
      {0, 0, "0"},  {23, 23, "23"}, {59, 59, "59"}, {60, 59, "59"},      {100, 59, "59"},
      {-5, -1, ""}, {7, 7, "7"},    {-1, -1, ""},   {INT_MAX, 59, "59"}, {INT_MIN, -1, ""},
  };
  for (const Case& c : cases) {
    SetCurrentSelection(Control::组合框2, c.index);
    EXPECT_EQ(SendMessageA(list_, CB_GETCURSEL, 0, 0), c.selected) << "index " << c.index;
    EXPECT_EQ(GetCurrentSelection(Control::组合框2), c.selected) << "index " << c.index;
    EXPECT_EQ(WindowText(list_), c.shown) << "index " << c.index;
  }
}

TEST_F(ListOpsTest, SetCurrentSelectionOnAnEmptyListSelectsNothing) {
  for (int index : {0, 1, 100, -1, -5, INT_MAX, INT_MIN}) {
    SetCurrentSelection(Control::组合框2, index);
    EXPECT_EQ(GetCurrentSelection(Control::组合框2), -1) << "index " << index;
  }
}

TEST_F(ListOpsTest, SetCurrentSelectionRaisesNoSelectionChange) {
  Fill();
  g_notifications.clear();
  for (int index : {0, 30, 100, -5})
    SetCurrentSelection(Control::组合框2, index);
  for (const auto& [code, id] : g_notifications)
    EXPECT_NE(code, CBN_SELCHANGE) << "from control id " << id;
}

TEST_F(ListOpsTest, GetCurrentSelectionIgnoresTheEditFieldText) {
  Fill();
  // "42" names an item of the list: a selection read from the text would find it.
  SetCurrentSelection(Control::组合框2, 3);
  SetWindowTextA(list_, "42");
  ASSERT_EQ(WindowText(list_), "42");
  EXPECT_EQ(GetCurrentSelection(Control::组合框2), 3);

  SendMessageA(list_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("17"));
  ASSERT_EQ(WindowText(list_), "17");
  EXPECT_EQ(GetCurrentSelection(Control::组合框2), 3);

  SetCurrentSelection(Control::组合框2, -1);
  SetWindowTextA(list_, "5");
  EXPECT_EQ(GetCurrentSelection(Control::组合框2), -1);
}

// ---- Check boxes --------------------------------------------------------------------

TEST_F(ControlOpsTest, IsCheckedFollowsClicksOnTheAutomaticCheckBox) {
  HWND box = CreateCheckBoxControl(parent_, LayoutOf(Control::选择框1));
  ASSERT_NE(box, nullptr);
  ShowWindow(box, SW_SHOWNA);
  EXPECT_FALSE(IsChecked(Control::选择框1));
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsChecked(Control::选择框1));
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsChecked(Control::选择框1));
  int clicks = 0;
  for (const auto& [code, id] : g_notifications)
    clicks += code == BN_CLICKED;
  EXPECT_EQ(clicks, 2);
}

TEST_F(ControlOpsTest, IsCheckedCountsOnlyTheCheckedState) {
  // A three-state box in the check box's place, so that the indeterminate answer can
  // be had at all: an automatic two-state box keeps no such state.
  const ControlLayout& entry = LayoutOf(Control::选择框2);
  HWND box = CreateWindowExA(0, "BUTTON", entry.caption, WS_CHILD | BS_AUTO3STATE, entry.place.left,
                             entry.place.top, entry.place.width, entry.place.height, parent_,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(box, nullptr);
  RecordOf(Control::选择框2).hwnd = box;
  struct Case {
    WPARAM state;
    bool checked;
  };
  for (const Case& c :
       {Case{BST_CHECKED, true}, Case{BST_INDETERMINATE, false}, Case{BST_UNCHECKED, false}}) {
    SendMessageA(box, BM_SETCHECK, c.state, 0);
    ASSERT_EQ(static_cast<WPARAM>(SendMessageA(box, BM_GETCHECK, 0, 0)), c.state);
    EXPECT_EQ(IsChecked(Control::选择框2), c.checked) << "state " << c.state;
  }
}

TEST_F(ControlOpsTest, IndeterminateOnTheAutomaticCheckBoxReadsAsTheStateItKeeps) {
  // An automatic two-state box turns BST_INDETERMINATE into BST_CHECKED (Windows and
  // Wine alike); IsChecked reports what the box keeps.
  HWND box = CreateCheckBoxControl(parent_, LayoutOf(Control::选择框2));
  ASSERT_NE(box, nullptr);
  SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
  LRESULT kept = SendMessageA(box, BM_GETCHECK, 0, 0);
  EXPECT_NE(kept, BST_INDETERMINATE);
  EXPECT_EQ(IsChecked(Control::选择框2), kept == BST_CHECKED);
}

// ---- Timer --------------------------------------------------------------------------

// The timer's WM_TIMER messages are taken from the queue and timed, never dispatched,
// and events stay held, so no tick handler runs.
class TimerOpsTest : public ControlOpsTest {
protected:
  void SetUp() override {
    ControlOpsTest::SetUp();
    HoldEvents();
    timer_ = CreateTimerControl(parent_, LayoutOf(Control::时钟1));
    ASSERT_NE(timer_, nullptr);
  }

  void TearDown() override {
    ControlOpsTest::TearDown();
    ReleaseEvents();
  }

  // Milliseconds from `from` to the next tick of the timer, or -1 when none comes
  // within `limitMs` of now.
  int NextTickAfter(int64_t from, int limitMs) {
    int64_t end = NowMs() + limitMs;
    while (NowMs() < end) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER && msg.hwnd == timer_ && msg.wParam == kSystemTimerId) {
          return static_cast<int>(NowMs() - from);
        }
        if (msg.message != WM_TIMER) {
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
        }
      }
      Sleep(2);
    }
    return -1;
  }

  // Lets time pass, failing on any tick that comes meanwhile.
  void ExpectNoTickFor(int ms) {
    int64_t start = NowMs();
    int tick = NextTickAfter(start, ms);
    EXPECT_EQ(tick, -1) << "a tick came " << tick << " ms into the quiet time";
  }

  HWND timer_ = nullptr;
};

TEST_F(TimerOpsTest, SamePeriodAgainKeepsThePhase) {
  int64_t start = NowMs();
  SetTimerPeriod(Control::时钟1, 1000);
  int first = NextTickAfter(start, 1600);
  ASSERT_GE(first, 850);
  ASSERT_LE(first, 1300);
  int64_t firstTick = start + first;

  // 600 ms into the period: a restart would put the next tick 1000 ms after the call,
  // the kept phase about 400 ms.
  ExpectNoTickFor(600);
  int64_t call = NowMs();
  SetTimerPeriod(Control::时钟1, 1000);
  int next = NextTickAfter(call, 1500);
  EXPECT_GE(next, 200);
  EXPECT_LE(next, 600);
  EXPECT_EQ(RecordOf(Control::时钟1).timerPeriod, 1000);
  int apart = static_cast<int>(call - firstTick) + next;
  EXPECT_GE(apart, 850);
  EXPECT_LE(apart, 1250);
}

TEST_F(TimerOpsTest, AnotherPeriodRestartsFromTheCall) {
  int64_t start = NowMs();
  SetTimerPeriod(Control::时钟1, 1000);
  ASSERT_GT(NextTickAfter(start, 1600), 0);
  // Right after a tick: the old timer would tick again about 1000 ms later, the new one
  // 500 ms after the call.
  int64_t call = NowMs();
  SetTimerPeriod(Control::时钟1, 500);
  int next = NextTickAfter(call, 1500);
  EXPECT_GE(next, 350);
  EXPECT_LE(next, 800);
  int64_t nextTick = call + next;
  int following = NextTickAfter(nextTick, 1500);
  EXPECT_GE(following, 350);
  EXPECT_LE(following, 800);
}

TEST_F(TimerOpsTest, ZeroOrLessStopsTheRunningTimer) {
  for (int period : {0, -1, INT_MIN}) {
    SetTimerPeriod(Control::时钟1, 1000);
    ASSERT_TRUE(RecordOf(Control::时钟1).timerRunning);
    ExpectNoTickFor(200);
    SetTimerPeriod(Control::时钟1, period);
    EXPECT_EQ(RecordOf(Control::时钟1).timerPeriod, 0) << "period " << period;
    EXPECT_FALSE(RecordOf(Control::时钟1).timerRunning) << "period " << period;
    if (period == 0 || period == -1) // the quiet time is long; two cases show it
      ExpectNoTickFor(1600);
  }
}

TEST_F(TimerOpsTest, ZeroWhileIdleChangesNothing) {
  SetTimerPeriod(Control::时钟1, 0);
  SetTimerPeriod(Control::时钟1, -7);
  EXPECT_EQ(RecordOf(Control::时钟1).timerPeriod, 0);
  EXPECT_FALSE(RecordOf(Control::时钟1).timerRunning);
  ExpectNoTickFor(400);
  // The timer still starts as usual afterwards.
  int64_t start = NowMs();
  SetTimerPeriod(Control::时钟1, 300);
  int first = NextTickAfter(start, 1000);
  EXPECT_GE(first, 200);
  EXPECT_LE(first, 600);
}

// ---- Always on top ------------------------------------------------------------------

TEST_F(ControlOpsTest, SetAlwaysOnTopChangesOnlyTheTopmostBand) {
  // The test's window plays MainWindow; another window of the test is active.
  HWND window = TopWindow("", 200, 150);
  HWND other = TopWindow("other", 400, 300);
  ASSERT_NE(window, nullptr);
  ASSERT_NE(other, nullptr);
  RecordOf(Control::MainWindow).hwnd = window;
  ShowWindow(window, SW_SHOWNA);
  ShowWindow(other, SW_SHOW);
  SetForegroundWindow(other);
  SetActiveWindow(other);
  PumpMessages(50);
  ASSERT_EQ(GetActiveWindow(), other);
  RECT before;
  GetWindowRect(window, &before);
  auto topmost = [window] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  ASSERT_FALSE(topmost());

  struct Step {
    int flag;
    bool topmost;
  };
  for (const Step& s : {Step{1, true}, Step{1, true}, Step{0, false}, Step{0, false}}) {
    SetAlwaysOnTop(Control::MainWindow, s.flag);
    EXPECT_EQ(topmost(), s.topmost) << "flag " << s.flag;
    RECT now;
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &before)) << "flag " << s.flag;
    EXPECT_EQ(GetActiveWindow(), other) << "flag " << s.flag;
    EXPECT_EQ(GetForegroundWindow(), other) << "flag " << s.flag;
  }
}

} // namespace
