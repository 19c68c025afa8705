// Lobrin Stack's time per change: what the window computes when one box's
// text changes (the inputs read, the calculator's distances, the model's
// figures), and apart from it the chart (its sweep, cuts and layout at the
// window's size). The window must follow typing: at most 50 ms per change;
// the chart follows once typing pauses.
#include <benchmark/benchmark.h>

#include <array>

#include "app/stack/stack_sheet.h"
#include "chart/chart_layout.h"

namespace {

using lobrin::stackwin::Input;
using lobrin::stackwin::InputTexts;

// The chart's size in the window at its start, 96 DPI.
constexpr double kChartWidth = 500.0;
constexpr double kChartHeight = 550.0;

struct Case {
  const char* name;
  Input changed;
  std::array<const char*, 2> texts;  // typed in turn into the changed box
  int baysE;
  int baysH;
  const char* sidelobes;
};

// The worked example, and the largest stack with a sidelobe level and wide spacings.
constexpr Case kCases[] = {
    {"frequency_2x2", Input::kFrequency, {"144", "145"}, 2, 2, ""},
    {"beamwidth_2x2", Input::kBeamwidthH, {"32", "33"}, 2, 2, ""},
    {"spacing_8x8_sidelobes", Input::kSpacingE, {"9", "19,5"}, 8, 8, "20"},
};

void BM_Change(benchmark::State& state, const Case& change) {
  InputTexts texts = lobrin::stackwin::WorkedExample();
  texts[static_cast<std::size_t>(Input::kBaysE)] = std::to_string(change.baysE);
  texts[static_cast<std::size_t>(Input::kBaysH)] = std::to_string(change.baysH);
  texts[static_cast<std::size_t>(Input::kSidelobes)] = change.sidelobes;
  lobrin::stackwin::StackSheet sheet;
  lobrin::stackwin::Sheet shown;
  std::size_t turn = 0;
  for (auto _ : state) {
    texts[static_cast<std::size_t>(change.changed)] = change.texts[turn++ % change.texts.size()];
    sheet.Compute(texts, shown);
    if (!shown.problem.empty()) {
      state.SkipWithError(shown.problem.c_str());
      break;
    }
    benchmark::DoNotOptimize(shown.stackGainDb.data());
  }
}

// The chart once typing pauses: its sweep and cuts, and its layout.
void BM_Chart(benchmark::State& state, const Case& change) {
  InputTexts texts = lobrin::stackwin::WorkedExample();
  texts[static_cast<std::size_t>(Input::kBaysE)] = std::to_string(change.baysE);
  texts[static_cast<std::size_t>(Input::kBaysH)] = std::to_string(change.baysH);
  texts[static_cast<std::size_t>(Input::kSidelobes)] = change.sidelobes;
  texts[static_cast<std::size_t>(change.changed)] = change.texts[1];
  lobrin::stackwin::StackSheet sheet;
  lobrin::stackwin::Sheet shown;
  sheet.Compute(texts, shown);
  lobrin::chart::Figures figures;
  for (auto _ : state) {
    sheet.ChartFigures(figures);
    benchmark::DoNotOptimize(lobrin::chart::LayOut(figures, kChartWidth, kChartHeight));
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Change, frequency_2x2, kCases[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Change, beamwidth_2x2, kCases[1])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Change, spacing_8x8_sidelobes, kCases[2])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Chart, frequency_2x2, kCases[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Chart, spacing_8x8_sidelobes, kCases[2])->Unit(benchmark::kMillisecond);
