// The portable core's hot paths, timed natively: what a counting tick computes, the two
// conversions, the transparent label's drawing decisions and the decoding of the window
// background. The handlers run against the in-memory controls of the host tests.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "countdown/countdown_state.h"
#include "countdown/handlers.h"
#include "tests/support/controls_stand_in.h"
#include "ui/control_ops.h"
#include "ui/label_settings.h"
#include "ui/layout.h"
#include "ui/png_image.h"

namespace {

void BM_SplitRemaining(benchmark::State& state) {
  int32_t count = 86399;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SplitRemaining(count));
    count = count > 1 ? count - 1 : 86399;
  }
}
BENCHMARK(BM_SplitRemaining);

void BM_ToTextInt(benchmark::State& state) {
  int value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ToText(value));
    value = value < 59 ? value + 1 : 0;
  }
}
BENCHMARK(BM_ToTextInt);

void RunToInteger(benchmark::State& state, const std::string& text) {
  for (auto _ : state)
    benchmark::DoNotOptimize(ToInteger(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// A list item as the lists hold them.
void BM_ToIntegerShort(benchmark::State& state) {
  RunToInteger(state, "59");
}
BENCHMARK(BM_ToIntegerShort);

// Typed with a Chinese input method: full-width digits, GBK bytes after compilation.
void BM_ToIntegerFullWidth(benchmark::State& state) {
  RunToInteger(state, "　５９");
}
BENCHMARK(BM_ToIntegerFullWidth);

// A long edit-field text: leading blanks, a number far past the 32-bit range, trailing
// Chinese text that the conversion has to walk through the normalisation.
void BM_ToIntegerLong(benchmark::State& state) {
  std::string text = std::string(64, ' ');
  for (int i = 0; i < 8; ++i)
    text += "１２３４５６７８９０";
  for (int i = 0; i < 16; ++i)
    text += "小时分钟";
  RunToInteger(state, text);
}
BENCHMARK(BM_ToIntegerLong);

// One counting tick: split, three captions written, the count lowered. The stand-in's
// log is emptied each time so that it does not grow without end.
void BM_OnCountdownTick(benchmark::State& state) {
  ResetStandIn();
  g_standIn.calls.reserve(16);
  RemainingSeconds = 86399;
  for (auto _ : state) {
    OnCountdownTick();
    g_standIn.calls.clear();
    if (RemainingSeconds == 0)
      RemainingSeconds = 86399;
  }
}
BENCHMARK(BM_OnCountdownTick);

// The decisions each paint of a digit label makes.
void BM_LabelDrawFormat(benchmark::State& state) {
  const LabelSettings settings = StoredLabelSettings(LayoutOf(Control::透明标签1));
  for (auto _ : state)
    benchmark::DoNotOptimize(LabelDrawFormat(settings));
}
BENCHMARK(BM_LabelDrawFormat);

void BM_LabelPasses(benchmark::State& state) {
  const LabelSettings settings = StoredLabelSettings(LayoutOf(Control::透明标签1));
  for (auto _ : state) {
    LabelPass passes[kMaxLabelPasses];
    benchmark::DoNotOptimize(LabelPasses(settings, passes));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LabelPasses);

void BM_LabelFontRecord(benchmark::State& state) {
  const LabelSettings settings = StoredLabelSettings(LayoutOf(Control::透明标签1));
  for (auto _ : state) {
    LogFontRecord font;
    benchmark::DoNotOptimize(LabelFontRecord(settings, font));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LabelFontRecord);

// The real background picture, as the window decodes it on its first paint.
void BM_DecodePngBackground(benchmark::State& state) {
  std::ifstream file(COUNTDOWN_BACKGROUND_PNG, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
  Image image;
  if (bytes.empty() || !DecodePng(bytes.data(), bytes.size(), image)) {
    state.SkipWithError("the background picture cannot be read or decoded");
    return;
  }
  for (auto _ : state) {
    DecodePng(bytes.data(), bytes.size(), image);
    benchmark::DoNotOptimize(image.pixels.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["pixels"] = image.width * image.height;
}
BENCHMARK(BM_DecodePngBackground)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
