#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/event_binding.h"
#include "countdown/countdown_state.h"
#include "system/web_link.h"
#include "tests/support/controls_stand_in.h"

namespace {

using Calls = std::vector<std::string>;

// Every test leaves the hold count as it found it, since the count is the frame's
// global and holds every later test's events too.
class EventBindingTest : public ::testing::Test {
protected:
  void SetUp() override {
    savedHoldCount = EventHoldCount();
    ResetStandIn();
    InitCountdownState();
  }
  // Bounded, so that a broken release fails the test instead of hanging it.
  void TearDown() override {
    for (int i = 0; i < 100 && EventHoldCount() > savedHoldCount; ++i)
      ReleaseEvents();
    for (int i = 0; i < 100 && EventHoldCount() < savedHoldCount; ++i)
      HoldEvents();
    EXPECT_EQ(EventHoldCount(), savedHoldCount) << "hold count not restored";
  }
  int savedHoldCount = 0;
};

// A raise that must end the program: the stand-in's EndProgram throws.
int ExitCodeOfRaise(Control source, int event) {
  try {
    RaiseEvent(source, event, {3, 4, 0});
  } catch (const ProgramEnded& e) {
    return e.exitCode;
  }
  ADD_FAILURE() << "the program did not end";
  return -99;
}

} // namespace

TEST_F(EventBindingTest, TableHoldsExactlyTheSevenBindings) {
  const std::vector<std::pair<Control, int>> want = {
      {Control::MainWindow, 0}, {Control::按钮1, 0},   {Control::按钮2, 0},
      {Control::时钟1, 0},      {Control::选择框1, 0}, {Control::透明标签4, -1},
      {Control::透明标签5, -1},
  };
  ASSERT_EQ(kEventBindingCount, 7);
  std::vector<std::pair<Control, int>> got;
  for (int i = 0; i < kEventBindingCount; ++i) {
    got.emplace_back(kEventBindings[i].source, kEventBindings[i].event);
    EXPECT_NE(kEventBindings[i].handler, nullptr) << i;
    EXPECT_EQ(BoundHandler(kEventBindings[i].source, kEventBindings[i].event),
              kEventBindings[i].handler)
        << i;
  }
  EXPECT_EQ(got, want);
}

// Each bound pair runs its own handler, seen in the operations it makes.
TEST_F(EventBindingTest, RaiseRunsTheBoundHandler) {
  const struct {
    Control source;
    int event;
    Calls calls;
  } cases[] = {
      {Control::按钮1,
       0,
       {"GetCurrentSelection(组合框1,)", "GetItemText(组合框1,-1)", "GetCurrentSelection(组合框2,)",
        "GetItemText(组合框2,-1)", "GetCurrentSelection(组合框3,)", "GetItemText(组合框3,-1)",
        "SetTimerPeriod(时钟1,1000)"}},
      {Control::按钮2,
       0,
       {"SetTimerPeriod(时钟1,0)", "SetCaption(透明标签1,0)", "SetCaption(透明标签2,0)",
        "SetCaption(透明标签3,0)"}},
      {Control::选择框1, 0, {"IsChecked(选择框1,)", "SetAlwaysOnTop(MainWindow,0)"}},
      {Control::透明标签5, -1, {"OpenWebPage(MainWindow," + std::string(kLinkAddress) + ")"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StandInName(c.source));
    ResetStandIn();
    RaiseResult r = RaiseEvent(c.source, c.event, {5, 6, 1});
    EXPECT_TRUE(r.handlerRan);
    EXPECT_FALSE(r.result.hasValue);
    EXPECT_EQ(g_standIn.calls, c.calls);
  }
}

TEST_F(EventBindingTest, CreatedEventFillsTheLists) {
  RaiseResult r = RaiseEvent(Control::MainWindow, kMainEvent);
  EXPECT_TRUE(r.handlerRan);
  EXPECT_EQ(g_standIn.items[ControlIndex(Control::组合框1)].size(), 24u);
  EXPECT_EQ(g_standIn.items[ControlIndex(Control::组合框3)].size(), 60u);
  ASSERT_FALSE(g_standIn.calls.empty());
  EXPECT_EQ(g_standIn.calls.back(), "SetCurrentSelection(组合框3,0)");
}

TEST_F(EventBindingTest, TimerEventTicks) {
  RemainingSeconds = 61;
  RaiseResult r = RaiseEvent(Control::时钟1, kMainEvent);
  EXPECT_TRUE(r.handlerRan);
  EXPECT_EQ(g_standIn.calls, (Calls{"SetCaption(透明标签1,0)", "SetCaption(透明标签2,1)",
                                    "SetCaption(透明标签3,1)"}));
  EXPECT_EQ(RemainingSeconds, 60);
}

TEST_F(EventBindingTest, ExitLabelPressEndsWithZero) {
  EXPECT_EQ(ExitCodeOfRaise(Control::透明标签4, kLeftPressed), 0);
  EXPECT_EQ(g_standIn.calls, Calls{"EndProgram(MainWindow,0)"});
}

TEST_F(EventBindingTest, UnboundPairsRunNothing) {
  const std::pair<Control, int> unbound[] = {
      {Control::透明标签4, kMainEvent},
      {Control::透明标签4, kLeftReleased},
      {Control::透明标签5, kLeftDoubleClicked}, // a quick second press opens nothing
      {Control::透明标签1, kLeftPressed},
      {Control::组合框1, kMainEvent},
      {Control::选择框2, kMainEvent}, // the power-off box is only read at the end
      {Control::按钮1, kLeftPressed},
      {Control::时钟1, kKeyPressed},
      {Control::MainWindow, kLeftPressed},
      {Control::MainWindow, kFocusGained},
      {Control::按钮2, 1},
      {Control::按钮2, -13},
  };
  for (const auto& [source, event] : unbound) {
    SCOPED_TRACE(testing::Message() << StandInName(source) << " " << event);
    EXPECT_EQ(BoundHandler(source, event), nullptr);
    RaiseResult r = RaiseEvent(source, event, {1, 2, 7});
    EXPECT_FALSE(r.handlerRan);
    EXPECT_FALSE(r.result.hasValue);
  }
  EXPECT_TRUE(g_standIn.calls.empty());
}

// While the window is built the count is 1; nested holds need as many releases.
TEST_F(EventBindingTest, HeldEventsRunNothingUntilTheCountIsBackToZero) {
  ASSERT_EQ(EventHoldCount(), 0);
  HoldEvents();
  HoldEvents();
  EXPECT_EQ(EventHoldCount(), 2);
  EXPECT_FALSE(RaiseEvent(Control::按钮2, kMainEvent).handlerRan);
  ReleaseEvents();
  EXPECT_FALSE(RaiseEvent(Control::按钮2, kMainEvent).handlerRan);
  EXPECT_TRUE(g_standIn.calls.empty());
  ReleaseEvents();
  EXPECT_EQ(EventHoldCount(), 0);
  EXPECT_TRUE(RaiseEvent(Control::按钮2, kMainEvent).handlerRan);
  EXPECT_EQ(g_standIn.calls.front(), "SetTimerPeriod(时钟1,0)");
}

// A release too many must not leave credit that a later hold would use up.
TEST_F(EventBindingTest, ReleaseAtZeroStaysAtZero) {
  ReleaseEvents();
  EXPECT_EQ(EventHoldCount(), 0);
  HoldEvents();
  EXPECT_FALSE(RaiseEvent(Control::按钮2, kMainEvent).handlerRan);
  EXPECT_TRUE(g_standIn.calls.empty());
}

// The end raises the count for good; a tick still queued behind it changes nothing.
TEST_F(EventBindingTest, QueuedTickAfterTheEndHasBegunDoesNotCount) {
  RemainingSeconds = 5;
  HoldEvents();
  EXPECT_FALSE(RaiseEvent(Control::时钟1, kMainEvent).handlerRan);
  EXPECT_EQ(RemainingSeconds, 5);
  // Nor does a second press on the exit label start a second end.
  EXPECT_NO_THROW(RaiseEvent(Control::透明标签4, kLeftPressed));
  EXPECT_TRUE(g_standIn.calls.empty());
}
