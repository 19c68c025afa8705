#pragma once
// Figures for the chart's tests, made up without the model so that a layout
// test fails only for the layout: shapes like a 2 x 2 stack's, the DL6WU
// marks of the worked example (32 and 30 degrees).

#include "chart/chart_layout.h"

namespace lobrin::chart {

Figures SampleFigures();

}  // namespace lobrin::chart
