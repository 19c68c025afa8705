#pragma once
// The figures a chart shows, asked of the stack model: each plane's line
// alone over a range of spacings, the figures at the chosen spacings, and the
// pattern cuts of the stack and of one antenna.

#include <string>

#include "chart/chart_layout.h"
#include "stack/stack_model.h"

namespace lobrin::chart {

// The spacings swept, in wavelengths.
struct SweepRange {
  double fromLambda = 0.0;
  double toLambda = 0.0;
  double stepLambda = 0.0;
};

// The sweep a chart takes when none is given: in kDefaultSweepSteps steps
// from 0 to the end of the spacing axis that reaches 1.3 times the widest
// marked spacing, and at least 2 wavelengths.
inline constexpr int kDefaultSweepSteps = 250;
SweepRange DefaultSweep(double widestMarkedLambda);

// How many angles each pattern cut has, from -180 to 180 degrees.
inline constexpr int kCutPoints = 721;

// The figures of the chart of `stack` (checked), its DL6WU distances in
// wavelengths given, over the spacings of `sweep`.
Figures FiguresOf(const stack::Stack& stack, double dl6wuELambda, double dl6wuHLambda,
                  const SweepRange& sweep, std::string title);

}  // namespace lobrin::chart
