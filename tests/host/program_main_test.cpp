#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/event_binding.h"
#include "app/program_main.h"

namespace {

using Log = std::vector<std::string>;

// What the recording frame saw; the fixture resets it.
struct Recorded {
  Log steps;
  bool layoutReadable = true;
  const char* loadFailure = nullptr;
  void (*endRoutine)() = nullptr;
  std::vector<std::string> errorTexts;
  int holdCountAtError = -1;
  std::vector<int> exitCodes;
} rec;

const FrameSteps kRecordingSteps = {
    .initialiseFrame = [] { rec.steps.push_back("initialiseFrame"); },
    .readLayout =
        [] {
          rec.steps.push_back("readLayout");
          return rec.layoutReadable;
        },
    .resetFloatingPoint = [] { rec.steps.push_back("resetFloatingPoint"); },
    .initialiseCountdown = [] { rec.steps.push_back("initialiseCountdown"); },
    .setEndRoutine =
        [](void (*routine)()) {
          rec.steps.push_back("setEndRoutine");
          rec.endRoutine = routine;
        },
    .loadMainWindow =
        [] {
          rec.steps.push_back("loadMainWindow");
          return rec.loadFailure;
        },
    .runEventLoop = [] { rec.steps.push_back("runEventLoop"); },
    .endFrame =
        [](bool runEndRoutine) {
          rec.steps.push_back(runEndRoutine ? "endFrame(true)" : "endFrame(false)");
        },
    .showFatalError =
        [](const char* message) {
          rec.steps.push_back("showFatalError");
          rec.errorTexts.push_back(message ? message : "(null)");
          rec.holdCountAtError = EventHoldCount();
        },
    // The real one never returns; this one records the code and lets the test go on.
    .exitProcess =
        [](int exitCode) {
          rec.steps.push_back("exitProcess(" + std::to_string(exitCode) + ")");
          rec.exitCodes.push_back(exitCode);
        },
};

class ProgramMainTest : public ::testing::Test {
protected:
  void SetUp() override {
    rec = Recorded{};
    savedHoldCount = EventHoldCount();
  }
  // A fatal error holds events for good; the tests after this one need them back.
  void TearDown() override {
    for (int i = 0; i < 100 && EventHoldCount() > savedHoldCount; ++i)
      ReleaseEvents();
    EXPECT_EQ(EventHoldCount(), savedHoldCount) << "hold count not restored";
  }
  int savedHoldCount = 0;
};

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(ProgramMainTest, NormalRunInOrderReturnsZero) {
  EXPECT_EQ(ProgramMain(kRecordingSteps), 0);
  EXPECT_EQ(rec.steps,
            (Log{"initialiseFrame", "readLayout", "resetFloatingPoint", "initialiseCountdown",
                 "setEndRoutine", "loadMainWindow", "runEventLoop", "endFrame(true)"}));
  EXPECT_EQ(rec.endRoutine, &ProgramEndRoutine);
  EXPECT_TRUE(rec.errorTexts.empty());
  EXPECT_TRUE(rec.exitCodes.empty());
  EXPECT_EQ(EventHoldCount(), savedHoldCount);
}

// Either failure at start: events held before the box shows (it runs a message loop
// of its own), the failed step named, no end routine, exit -1, and nothing after.
TEST_F(ProgramMainTest, FatalErrorsAtStart) {
  const struct {
    const char* what;
    bool layoutReadable;
    const char* loadFailure;
    Log steps;
    const char* namedStep;
  } cases[] = {
      {"unreadable layout",
       false,
       nullptr,
       {"initialiseFrame", "readLayout", "showFatalError", "endFrame(false)", "exitProcess(-1)"},
       "读取窗口布局"},
      {"window fails to load",
       true,
       "创建控件",
       {"initialiseFrame", "readLayout", "resetFloatingPoint", "initialiseCountdown",
        "setEndRoutine", "loadMainWindow", "showFatalError", "endFrame(false)", "exitProcess(-1)"},
       "创建控件"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rec = Recorded{};
    rec.layoutReadable = c.layoutReadable;
    rec.loadFailure = c.loadFailure;
    const int holdBefore = EventHoldCount();
    EXPECT_EQ(ProgramMain(kRecordingSteps), -1);
    EXPECT_EQ(rec.steps, c.steps);
    ASSERT_EQ(rec.errorTexts.size(), 1u);
    EXPECT_TRUE(Contains(rec.errorTexts[0], c.namedStep)) << rec.errorTexts[0];
    EXPECT_GT(rec.holdCountAtError, holdBefore);
    EXPECT_GT(EventHoldCount(), holdBefore);
    EXPECT_EQ(rec.exitCodes, std::vector<int>{-1});
  }
}

TEST_F(ProgramMainTest, FailFatallyOnItsOwn) {
  EXPECT_EQ(FailFatally(kRecordingSteps, "分配内存"), -1);
  EXPECT_EQ(rec.steps, (Log{"showFatalError", "endFrame(false)", "exitProcess(-1)"}));
  ASSERT_EQ(rec.errorTexts.size(), 1u);
  EXPECT_TRUE(Contains(rec.errorTexts[0], "分配内存"));
  EXPECT_EQ(rec.holdCountAtError, savedHoldCount + 1);
}

TEST_F(ProgramMainTest, FatalErrorTextBoundsAndDefaults) {
  char buffer[256];
  // A missing step still gives a text that says the start failed.
  EXPECT_TRUE(Contains(FatalErrorText(nullptr, buffer, sizeof buffer), "启动"));

  // A step longer than the buffer is cut, and the text stays terminated inside it.
  const std::string longStep(1000, 'x');
  char small[16];
  std::memset(small, '#', sizeof small);
  const char* text = FatalErrorText(longStep.c_str(), small, sizeof small);
  EXPECT_LT(std::strlen(text), sizeof small);

  // No room at all, or a negative size: an empty text, nothing written.
  char untouched[4] = {'#', '#', '#', '#'};
  EXPECT_STREQ(FatalErrorText("读取窗口布局", untouched, 0), "");
  EXPECT_STREQ(FatalErrorText("读取窗口布局", untouched, -1), "");
  EXPECT_STREQ(FatalErrorText("读取窗口布局", nullptr, 64), "");
  EXPECT_EQ(std::string(untouched, 4), "####");
}
