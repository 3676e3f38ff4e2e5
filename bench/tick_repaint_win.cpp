// Times one tick's repaint on the real window: the three caption writes a counting tick
// makes (hours, minutes, seconds), each of which repaints the background under its label
// and the new digits before it returns. Builds the window with the program's own
// LoadMainWindow and runs no event loop; events are held, so no handler runs.
// Usage: tick_repaint [REPETITIONS] (500 by default). Prints two lines of milliseconds,
//   tick_repaint_ms MIN MEDIAN MAX          the three SetCaption calls
//   tick_with_queued_paint_ms MIN MEDIAN MAX  the same plus the paints they queue
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/clock_win.h"
#include "app/event_binding.h"
#include "app/frame_win.h"
#include "countdown/countdown_state.h"
#include "ui/control_ops.h"

namespace {

void ProcessWaitingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Print(const char* name, std::vector<double>& ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%s %.4f %.4f %.4f\n", name, ms.front(), ms[ms.size() / 2], ms.back());
}

} // namespace

int main(int argc, char** argv) {
  int repetitions = argc > 1 ? std::atoi(argv[1]) : 500;
  if (repetitions < 1)
    repetitions = 1;
  if (const char* failed = LoadMainWindow()) {
    std::fprintf(stderr, "tick_repaint: the window was not built (%s)\n", failed);
    return 2;
  }
  HoldEvents();
  // Let the first paint of the window and its controls happen before timing.
  for (int i = 0; i < 50; ++i) {
    ProcessWaitingMessages();
    Sleep(10);
  }

  const Control labels[3] = {Control::透明标签1, Control::透明标签2, Control::透明标签3};
  std::vector<double> captions, withQueued;
  int32_t count = 86399;
  for (int r = 0; r < repetitions; ++r) {
    // The texts a real count shows, made before the clock starts.
    SplitParts parts = SplitRemaining(count);
    count = count > 1 ? count - 1 : 86399;
    const std::string texts[3] = {ToText(parts.hours), ToText(parts.minutes),
                                  ToText(parts.seconds)};
    double t0 = NowMs();
    for (int k = 0; k < 3; ++k)
      SetCaption(labels[k], texts[k]);
    double t1 = NowMs();
    ProcessWaitingMessages();
    double t2 = NowMs();
    captions.push_back(t1 - t0);
    withQueued.push_back(t2 - t0);
  }
  Print("tick_repaint_ms", captions);
  Print("tick_with_queued_paint_ms", withQueued);
  return 0;
}
