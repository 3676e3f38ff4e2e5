// A fixture base: the main window as the frame loads it (controls built with events
// held, lists filled, shown), destroyed after each test. The event loop does not run.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "app/frame_win.h"
#include "ui/controls_win.h"

class LoadedWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(LoadMainWindow(), nullptr);
    window_ = ControlWindow(Control::MainWindow);
    ASSERT_NE(window_, nullptr);
  }

  void TearDown() override {
    if (window_ && IsWindow(window_))
      DestroyWindow(window_);
  }

  HWND window_ = nullptr;
};
