// Cost of the number conversions that run on every keystroke and of one
// windowless Calculate, beside the C library's own conversions for scale.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/headless_calculator.h"
#include "toolkit/fpu_control.h"
#include "toolkit/number_text.h"

namespace {

using lobrin::HeadlessCalculator;
namespace graph = lobrin::graph;

// Values and texts as the calculator meets them: a typical distance, a short
// whole number, a repeating fraction, a small magnitude and a frequency in kHz.
const double kValues[] = {4.024690942871119, 144.0, 1.0 / 3.0, 1e-7, 5782.758};
const char* const kTexts[] = {"4.02469094287112", "144", "0.333333333333333", "0.0000001", "5782.758"};
const char* const kCases[] = {"distance", "whole", "fraction", "small", "three decimals"};
constexpr int kLastCase = 4;

void RealToText(benchmark::State& state) {
  const double value = kValues[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(lobrin::RealToText(value));
  }
  state.SetLabel(kCases[state.range(0)]);
}
BENCHMARK(RealToText)->DenseRange(0, kLastCase);

// The same by the plain steps alone, which RealToText takes only near a rounding tie.
void RealToTextStepByStep(benchmark::State& state) {
  const double value = kValues[state.range(0)];
  std::string text;
  for (auto _ : state) {
    lobrin::RealToTextStepByStep(value, text);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetLabel(kCases[state.range(0)]);
}
BENCHMARK(RealToTextStepByStep)->DenseRange(0, kLastCase);

void Snprintf15g(benchmark::State& state) {
  const double value = kValues[state.range(0)];
  char buffer[32];
  for (auto _ : state) {
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    benchmark::DoNotOptimize(std::string(buffer));
  }
  state.SetLabel(kCases[state.range(0)]);
}
BENCHMARK(Snprintf15g)->DenseRange(0, kLastCase);

void TextToReal(benchmark::State& state) {
  const std::string text = kTexts[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(lobrin::TextToReal(text));
  }
  state.SetLabel(kCases[state.range(0)]);
}
BENCHMARK(TextToReal)->DenseRange(0, kLastCase);

// The same by the plain steps alone, which TextToReal takes for texts other than plain decimals.
void TextToRealStepByStep(benchmark::State& state) {
  const std::string text = kTexts[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(lobrin::TextToRealStepByStep(text));
  }
  state.SetLabel(kCases[state.range(0)]);
}
BENCHMARK(TextToRealStepByStep)->DenseRange(0, kLastCase);

void Strtod(benchmark::State& state) {
  const std::string text = kTexts[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
  }
  state.SetLabel(kCases[state.range(0)]);
}
BENCHMARK(Strtod)->DenseRange(0, kLastCase);

// One click on Calculate: both planes, metres and feet, four texts written.
void CalculateCascade(benchmark::State& state) {
  HeadlessCalculator calculator;
  lobrin::EnableLinks();
  calculator.Box(graph::FrequencyEdit).Paste("144");
  calculator.Box(graph::HPlaneBwEdit).Paste("32");
  calculator.Box(graph::EPlaneBwEdit).Paste("30");
  for (auto _ : state) {
    calculator.Click(graph::CalculateButton);
  }
  lobrin::DisableLinks();
  if (calculator.Box(graph::EFeetEdit).text() != "13.2043670330093") {
    state.SkipWithError("wrong result");
  }
}
BENCHMARK(CalculateCascade);

// Extreme magnitudes: the normalisation loops run some three hundred times.
void RealToTextExtreme(benchmark::State& state) {
  const double value = state.range(0) == 0 ? 1.7976931348623157e308 : 4.9406564584124654e-324;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lobrin::RealToText(value));
  }
  state.SetLabel(state.range(0) == 0 ? "largest" : "smallest");
}
BENCHMARK(RealToTextExtreme)->DenseRange(0, 1);

void TextToRealHugeExponent(benchmark::State& state) {
  const std::string text = "1e2147483647";
  for (auto _ : state) {
    benchmark::DoNotOptimize(lobrin::TextToReal(text));
  }
}
BENCHMARK(TextToRealHugeExponent);

}  // namespace

int main(int argc, char** argv) {
  lobrin::SetExtendedPrecisionNoTraps();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
