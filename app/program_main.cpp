#include "app/program_main.h"

#include <cstdio>

#include "app/event_binding.h"

void ProgramEndRoutine() {}

const char* FatalErrorText(const char* failedStep, char* buffer, int size) {
  // snprintf would leave a zero-size buffer unterminated and take a negative size as huge.
  if (!buffer || size <= 0)
    return "";
  std::snprintf(buffer, size, "程序无法继续运行：%s失败。", failedStep ? failedStep : "启动");
  return buffer;
}

int FailFatally(const FrameSteps& steps, const char* failedStep) {
  HoldEvents();
  char text[256];
  steps.showFatalError(FatalErrorText(failedStep, text, sizeof text));
  steps.endFrame(false);
  steps.exitProcess(-1);
  return -1;
}

int ProgramMain(const FrameSteps& steps) {
  steps.initialiseFrame();
  if (!steps.readLayout())
    return FailFatally(steps, "读取窗口布局");
  steps.resetFloatingPoint();
  steps.initialiseCountdown();
  steps.setEndRoutine(ProgramEndRoutine);
  if (const char* failed = steps.loadMainWindow())
    return FailFatally(steps, failed);
  steps.runEventLoop();
  steps.endFrame(true);
  return 0;
}
