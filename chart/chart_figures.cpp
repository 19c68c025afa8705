#include "chart/chart_figures.h"

#include <algorithm>

namespace lobrin::chart {

namespace {

constexpr double kDefaultSweepMinimum = 2.0;
constexpr double kDefaultSweepReach = 1.3;

}  // namespace

SweepRange DefaultSweep(double widestMarkedLambda) {
  // To the end of the spacing axis the chart gives this reach.
  const double to = NiceTicks(0.0, std::max(kDefaultSweepMinimum, kDefaultSweepReach * widestMarkedLambda),
                              kSpacingTickSteps)
                        .back();
  const double step = to / kDefaultSweepSteps;
  return {step, to, step};
}

Figures FiguresOf(const stack::Stack& stack, double dl6wuELambda, double dl6wuHLambda,
                  const SweepRange& sweep, std::string title) {
  Figures figures;
  figures.title = std::move(title);
  figures.baysE = stack.baysE;
  figures.baysH = stack.baysH;
  figures.sweep = stack::Sweep(stack, sweep.fromLambda, sweep.toLambda, sweep.stepLambda);
  figures.dl6wuELambda = dl6wuELambda;
  figures.dl6wuHLambda = dl6wuHLambda;
  figures.chosen = stack::Evaluate(stack);
  figures.chosenELambda = stack.spacingELambda;
  figures.chosenHLambda = stack.spacingHLambda;
  figures.stackE = stack::PatternCut(stack, stack::Plane::kE, false, kCutPoints, kFloorDb);
  figures.stackH = stack::PatternCut(stack, stack::Plane::kH, false, kCutPoints, kFloorDb);
  figures.singleE = stack::PatternCut(stack, stack::Plane::kE, true, kCutPoints, kFloorDb);
  figures.singleH = stack::PatternCut(stack, stack::Plane::kH, true, kCutPoints, kFloorDb);
  return figures;
}

}  // namespace lobrin::chart
