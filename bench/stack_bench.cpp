// The stack model's speed: one full result and a sweep, as a window following
// the user's typing needs them, with a yardstick of the same machine and run.
#include <benchmark/benchmark.h>

#include <cmath>

#include "stack/stack_model.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The worked example: 32 deg in the H-plane, 30 deg in the E-plane, each
// plane's antennas at its DL6WU distance, 1 / (2 sin(B / 2)) wavelengths.
lobrin::stack::Stack WorkedExample() {
  lobrin::stack::Stack stack;
  stack.antenna.beamwidthEDeg = 30.0;
  stack.antenna.beamwidthHDeg = 32.0;
  stack.baysE = 2;
  stack.baysH = 2;
  stack.spacingELambda = 1.0 / (2.0 * std::sin(30.0 * kPi / 360.0));
  stack.spacingHLambda = 1.0 / (2.0 * std::sin(32.0 * kPi / 360.0));
  return stack;
}

void BM_Evaluate2x2(benchmark::State& state) {
  const lobrin::stack::Stack stack = WorkedExample();
  for (auto _ : state) {
    benchmark::DoNotOptimize(lobrin::stack::Evaluate(stack));
  }
}
BENCHMARK(BM_Evaluate2x2)->Unit(benchmark::kMillisecond);

// 400 spacings, 0.05 to 20 wavelengths.
void BM_Sweep400(benchmark::State& state) {
  const lobrin::stack::Stack stack = WorkedExample();
  for (auto _ : state) {
    auto rows = lobrin::stack::Sweep(stack, 0.05, 20.0, 0.05);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_Sweep400)->Unit(benchmark::kMillisecond);

// The yardstick: a million std::sin calls, each on the last one's result.
void BM_Yardstick1e6Sin(benchmark::State& state) {
  for (auto _ : state) {
    double x = 0.5;
    for (int i = 0; i < 1000000; ++i) {
      x = std::sin(x + 1.0);
    }
    benchmark::DoNotOptimize(x);
  }
}
BENCHMARK(BM_Yardstick1e6Sin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
