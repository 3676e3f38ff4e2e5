#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ui/tab_order.h"

namespace {

// Controls whose windows are hidden or disabled at the moment; the fixture empties it.
std::set<Control> notLive;

bool IsLive(Control c) {
  return notLive.count(c) == 0;
}

const std::vector<Control> kFullCycle = {Control::组合框3, Control::组合框2, Control::组合框1,
                                         Control::按钮1,   Control::按钮2,   Control::选择框1,
                                         Control::选择框2};

class TabOrderTest : public ::testing::Test {
protected:
  void SetUp() override { notLive.clear(); }
  void TearDown() override { notLive.clear(); }
};

} // namespace

// All values are equal, so the cycle is the control list walked from its end, with
// the timer and the labels left out.
TEST_F(TabOrderTest, CycleFromTheLayout) {
  EXPECT_EQ(TabCycle(IsLive), kFullCycle);
  EXPECT_EQ(TabCycle(nullptr), kFullCycle);
}

TEST_F(TabOrderTest, TabAndShiftTabWalkTheCycleAndWrap) {
  const std::vector<Control> cycle = TabCycle(IsLive);
  const size_t n = kFullCycle.size();
  for (size_t i = 0; i < n; ++i) {
    Control next, previous;
    ASSERT_TRUE(NextInTabCycle(cycle, kFullCycle[i], false, next));
    ASSERT_TRUE(NextInTabCycle(cycle, kFullCycle[i], true, previous));
    EXPECT_EQ(next, kFullCycle[(i + 1) % n]) << i;
    EXPECT_EQ(previous, kFullCycle[(i + n - 1) % n]) << i;
  }
  Control to;
  ASSERT_TRUE(NextInTabCycle(cycle, Control::选择框2, false, to));
  EXPECT_EQ(to, Control::组合框3);
  ASSERT_TRUE(NextInTabCycle(cycle, Control::组合框3, true, to));
  EXPECT_EQ(to, Control::选择框2);
}

TEST_F(TabOrderTest, ControlsThatAreNotLiveDropOut) {
  notLive = {Control::按钮1, Control::选择框2};
  const std::vector<Control> cycle = TabCycle(IsLive);
  EXPECT_EQ(cycle, (std::vector<Control>{Control::组合框3, Control::组合框2, Control::组合框1,
                                         Control::按钮2, Control::选择框1}));
  Control to;
  ASSERT_TRUE(NextInTabCycle(cycle, Control::组合框1, false, to));
  EXPECT_EQ(to, Control::按钮2);
  ASSERT_TRUE(NextInTabCycle(cycle, Control::选择框1, false, to));
  EXPECT_EQ(to, Control::组合框3);
  ASSERT_TRUE(NextInTabCycle(cycle, Control::组合框3, true, to));
  EXPECT_EQ(to, Control::选择框1);
}

// Focus on the window itself, on a label, or on a control that has just dropped out.
TEST_F(TabOrderTest, FocusOutsideTheCycleGoesToAnEnd) {
  notLive = {Control::按钮1};
  const std::vector<Control> cycle = TabCycle(IsLive);
  for (Control from : {Control::MainWindow, Control::透明标签1, Control::时钟1, Control::按钮1}) {
    Control to;
    ASSERT_TRUE(NextInTabCycle(cycle, from, false, to));
    EXPECT_EQ(to, Control::组合框3);
    ASSERT_TRUE(NextInTabCycle(cycle, from, true, to));
    EXPECT_EQ(to, Control::选择框2);
  }
}

TEST_F(TabOrderTest, OneLiveControlKeepsTheFocus) {
  notLive = {Control::组合框3, Control::组合框2, Control::按钮1,
             Control::按钮2,   Control::选择框1, Control::选择框2};
  const std::vector<Control> cycle = TabCycle(IsLive);
  ASSERT_EQ(cycle, std::vector<Control>{Control::组合框1});
  for (bool backward : {false, true}) {
    Control to = Control::MainWindow;
    ASSERT_TRUE(NextInTabCycle(cycle, Control::组合框1, backward, to));
    EXPECT_EQ(to, Control::组合框1);
  }
}

TEST_F(TabOrderTest, EmptyCycleAnswersFalse) {
  notLive.insert(kFullCycle.begin(), kFullCycle.end());
  const std::vector<Control> cycle = TabCycle(IsLive);
  EXPECT_TRUE(cycle.empty());
  for (bool backward : {false, true}) {
    Control to = Control::MainWindow;
    EXPECT_FALSE(NextInTabCycle(cycle, Control::组合框1, backward, to));
    EXPECT_EQ(to, Control::MainWindow); // untouched
  }
}
