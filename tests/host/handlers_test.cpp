#include <gtest/gtest.h>

#include "countdown/countdown_state.h"
#include "countdown/handlers.h"
#include "system/web_link.h"
#include "tests/support/controls_stand_in.h"

namespace {

// What the three display labels show, as "h m s".
std::string Display() {
  return g_standIn.caption[ControlIndex(Control::透明标签1)] + " " +
         g_standIn.caption[ControlIndex(Control::透明标签2)] + " " +
         g_standIn.caption[ControlIndex(Control::透明标签3)];
}

class HandlersTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetStandIn();
    InitCountdownState();
    OnMainWindowCreated();
  }
  void Pick(int hours, int minutes, int seconds) {
    g_standIn.selection[ControlIndex(Control::组合框1)] = hours;
    g_standIn.selection[ControlIndex(Control::组合框2)] = minutes;
    g_standIn.selection[ControlIndex(Control::组合框3)] = seconds;
  }
  // Runs ticks until the timer stops (or the limit), returning the display after each.
  std::vector<std::string> TickUntilStopped(int limit) {
    std::vector<std::string> shown;
    for (int i = 0; i < limit && g_standIn.timerPeriod != 0; ++i) {
      OnCountdownTick();
      shown.push_back(Display());
    }
    return shown;
  }
};

} // namespace

TEST_F(HandlersTest, CreatedFillsListsInOrderAndSelectsFirstItems) {
  const auto& hours = g_standIn.items[ControlIndex(Control::组合框1)];
  const auto& minutes = g_standIn.items[ControlIndex(Control::组合框2)];
  const auto& seconds = g_standIn.items[ControlIndex(Control::组合框3)];
  ASSERT_EQ(hours.size(), 24u);
  ASSERT_EQ(minutes.size(), 60u);
  ASSERT_EQ(seconds.size(), 60u);
  for (int i = 0; i < 60; ++i) {
    if (i < 24) {
      EXPECT_EQ(hours[i], std::to_string(i));
    }
    EXPECT_EQ(minutes[i], std::to_string(i));
    EXPECT_EQ(seconds[i], std::to_string(i));
  }
  for (Control list : {Control::组合框1, Control::组合框2, Control::组合框3})
    EXPECT_EQ(g_standIn.selection[ControlIndex(list)], 0);
  EXPECT_EQ(Display(), "0 0 0");
  EXPECT_EQ(g_standIn.timerPeriod, 0);
  // The adds come interleaved (hours, minutes, seconds), then the three selections.
  EXPECT_EQ(g_standIn.calls[0], "AddItem(组合框1,0)");
  EXPECT_EQ(g_standIn.calls[1], "AddItem(组合框2,0)");
  EXPECT_EQ(g_standIn.calls[2], "AddItem(组合框3,0)");
  EXPECT_EQ(g_standIn.calls[72], "AddItem(组合框2,24)");
  EXPECT_EQ(g_standIn.calls.size(), 24u + 60u + 60u + 3u);
  EXPECT_EQ(g_standIn.calls.back(), "SetCurrentSelection(组合框3,0)");
}

TEST_F(HandlersTest, TickSequences) {
  struct Case {
    int h, m, s;
    int32_t remaining;
    std::vector<std::string> shown; // the first ticks, then "..." elided
    size_t ticks;                   // ticks until the timer stops, finishing tick included
  } cases[] = {
      {0, 0, 0, 0, {"0 0 0"}, 1},
      {0, 0, 5, 5, {"0 0 5", "0 0 4", "0 0 3", "0 0 2", "0 0 1", "0 0 0"}, 6},
      {1, 0, 0, 3600, {"1 0 0", "0 59 59", "0 59 58"}, 3601},
      {23, 59, 59, 86399, {"23 59 59", "23 59 58"}, 86400},
      {0, 5, 0, 300, {"0 5 0", "0 4 59"}, 301},
  };
  for (const Case& c : cases) {
    SetUp();
    Pick(c.h, c.m, c.s);
    OnStartClicked();
    EXPECT_EQ(RemainingSeconds, c.remaining);
    EXPECT_EQ(g_standIn.timerPeriod, 1000);
    EXPECT_EQ(Display(), "0 0 0") << "Start does not refresh the display";
    auto shown = TickUntilStopped(90000);
    ASSERT_EQ(shown.size(), c.ticks) << c.h << ":" << c.m << ":" << c.s;
    for (size_t i = 0; i < c.shown.size(); ++i)
      EXPECT_EQ(shown[i], c.shown[i]) << "tick " << i + 1;
    EXPECT_EQ(shown.back(), "0 0 0");
    if (c.ticks > 1) {
      EXPECT_EQ(shown[c.ticks - 2], "0 0 1") << "the last counting tick shows 1";
    }
    EXPECT_EQ(RemainingSeconds, 0);
    EXPECT_EQ(g_standIn.timerPeriod, 0);
  }
}

TEST_F(HandlersTest, CountingTickWritesAllThreeCaptionsThenDecrements) {
  Pick(0, 0, 2);
  OnStartClicked();
  g_standIn.calls.clear();
  OnCountdownTick();
  EXPECT_EQ(g_standIn.calls,
            (std::vector<std::string>{"SetCaption(透明标签1,0)", "SetCaption(透明标签2,0)",
                                      "SetCaption(透明标签3,2)"}));
  EXPECT_EQ(RemainingSeconds, 1);
  EXPECT_EQ(TimeParts[2], 2);
}

TEST_F(HandlersTest, StartWhileCountingReplacesTheCountAndKeepsTheTimer) {
  Pick(0, 0, 10);
  OnStartClicked();
  OnCountdownTick();
  OnCountdownTick();
  EXPECT_EQ(Display(), "0 0 9");
  Pick(0, 2, 0);
  OnStartClicked();
  EXPECT_EQ(RemainingSeconds, 120);
  EXPECT_EQ(Display(), "0 0 9") << "the old values stay until the next tick";
  EXPECT_EQ(g_standIn.calls.back(), "SetTimerPeriod(时钟1,1000)");
  OnCountdownTick();
  EXPECT_EQ(Display(), "0 2 0");
}

TEST_F(HandlersTest, StopClearsAndKeepsTheCountUntilTheNextStart) {
  Pick(0, 1, 0);
  OnStartClicked();
  OnCountdownTick();
  OnCountdownTick();
  g_standIn.calls.clear();
  OnStopClicked();
  EXPECT_EQ(g_standIn.calls,
            (std::vector<std::string>{"SetTimerPeriod(时钟1,0)", "SetCaption(透明标签1,0)",
                                      "SetCaption(透明标签2,0)", "SetCaption(透明标签3,0)"}));
  EXPECT_EQ(RemainingSeconds, 58);
  EXPECT_EQ(TimeParts[1], 0);
  EXPECT_EQ(TimeParts[2], 59);
  // Stop then Start counts the picked duration afresh.
  Pick(0, 0, 3);
  OnStartClicked();
  EXPECT_EQ(TickUntilStopped(100), (std::vector<std::string>{"0 0 3", "0 0 2", "0 0 1", "0 0 0"}));
}

TEST_F(HandlersTest, StopWhileIdleShowsZerosAndChangesNothingElse) {
  OnStopClicked();
  EXPECT_EQ(Display(), "0 0 0");
  EXPECT_EQ(g_standIn.timerPeriod, 0);
  EXPECT_EQ(RemainingSeconds, 0);
}

TEST_F(HandlersTest, FinishWithoutPowerOffOnlyStopsTheTimer) {
  Pick(0, 0, 1);
  OnStartClicked();
  OnCountdownTick();
  g_standIn.calls.clear();
  OnCountdownTick();
  EXPECT_EQ(g_standIn.calls,
            (std::vector<std::string>{"SetCaption(透明标签1,0)", "SetCaption(透明标签2,0)",
                                      "SetCaption(透明标签3,0)", "SetTimerPeriod(时钟1,0)",
                                      "IsChecked(选择框2,)"}));
  // Finished: Start counts again from the lists.
  OnStartClicked();
  EXPECT_EQ(RemainingSeconds, 1);
}

TEST_F(HandlersTest, FinishWithPowerOffRequestsItThenEndsAndNothingAfter) {
  for (bool accepted : {true, false}) {
    SetUp();
    g_standIn.powerOffAccepted = accepted;
    Pick(0, 0, 0);
    OnStartClicked();
    g_standIn.checked[ControlIndex(Control::选择框2)] = true;
    g_standIn.calls.clear();
    int exitCode = -99;
    try {
      OnCountdownTick();
    } catch (const ProgramEnded& e) {
      exitCode = e.exitCode;
    }
    EXPECT_EQ(exitCode, 0) << "ends whether or not Windows accepted: " << accepted;
    ASSERT_GE(g_standIn.calls.size(), 3u);
    std::vector<std::string> tail(g_standIn.calls.end() - 3, g_standIn.calls.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"IsChecked(选择框2,)", "RequestPowerOff(MainWindow,1,1)",
                                        "EndProgram(MainWindow,0)"}));
  }
}

TEST_F(HandlersTest, PowerOffBoxOnlyMattersAtTheFinishingTick) {
  Pick(0, 0, 2);
  OnStartClicked();
  g_standIn.checked[ControlIndex(Control::选择框2)] = true;
  OnCountdownTick();
  g_standIn.checked[ControlIndex(Control::选择框2)] = false;
  OnCountdownTick();
  OnCountdownTick();
  EXPECT_EQ(g_standIn.timerPeriod, 0);
  for (const std::string& call : g_standIn.calls)
    EXPECT_EQ(call.find("RequestPowerOff"), std::string::npos);
}

TEST_F(HandlersTest, StartReadsTheItemAtTheSelection) {
  struct Case {
    int hourSelection;
    std::vector<std::string> hourItems; // empty: the filled list
    int32_t expected;
  } cases[] = {
      {-1, {}, 0},              // no selection contributes 0
      {2, {}, 7200},            // "2"
      {5, {"1", "x"}, 0},       // out of range gives the empty text
      {1, {"0", "abc"}, 0},     // letters give 0
      {1, {"0", " 7x"}, 25200}, // digits before letters count
  };
  for (const Case& c : cases) {
    SetUp();
    if (!c.hourItems.empty())
      g_standIn.items[ControlIndex(Control::组合框1)] = c.hourItems;
    Pick(c.hourSelection, 0, 0);
    OnStartClicked();
    EXPECT_EQ(RemainingSeconds, c.expected) << c.hourSelection;
  }
}

TEST_F(HandlersTest, PinFollowsTheCheckBox) {
  for (bool checked : {true, false, true}) {
    g_standIn.checked[ControlIndex(Control::选择框1)] = checked;
    OnPinClicked();
    EXPECT_EQ(g_standIn.calls.back(),
              std::string("SetAlwaysOnTop(MainWindow,") + (checked ? "1" : "0") + ")");
  }
}

TEST_F(HandlersTest, ExitLabelEndsWithZeroAndNeverRequestsPowerOff) {
  Pick(0, 0, 9);
  OnStartClicked();
  OnCountdownTick();
  g_standIn.checked[ControlIndex(Control::选择框2)] = true;
  g_standIn.calls.clear();
  EXPECT_THROW(
      {
        try {
          OnExitLabelPressed(3, 4, 1);
        } catch (const ProgramEnded& e) {
          EXPECT_EQ(e.exitCode, 0);
          throw;
        }
      },
      ProgramEnded);
  EXPECT_EQ(g_standIn.calls, std::vector<std::string>{"EndProgram(MainWindow,0)"});
}

TEST_F(HandlersTest, LinkLabelOpensTheProgramsAddress) {
  g_standIn.calls.clear();
  OnLinkLabelPressed(0, 0, 0);
  EXPECT_EQ(g_standIn.calls,
            std::vector<std::string>{std::string("OpenWebPage(MainWindow,") + kLinkAddress + ")"});
}
