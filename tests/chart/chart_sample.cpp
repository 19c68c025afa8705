#include "tests/chart/chart_sample.h"

#include <algorithm>
#include <cmath>

namespace lobrin::chart {

Figures SampleFigures() {
  constexpr double kPi = 3.14159265358979323846;
  Figures f;
  f.title = "2 x 2 stack: H-plane 32 deg, E-plane 30 deg, 144 MHz";
  for (int i = 1; i <= 250; ++i) {
    stack::SweepRow row;
    row.spacingLambda = i * 0.012;
    const double kd = 2.0 * kPi * row.spacingLambda;
    row.gainEDb = 10.0 * std::log10(2.0 / (1.0 + std::sin(kd) / kd));
    row.gainHDb = 0.95 * row.gainEDb;
    // Lobes from 0.5 wavelengths, rising from far below the floor.
    if (row.spacingLambda > 0.5) {
      row.lobeEDb = -70.0 + 25.0 * (row.spacingLambda - 0.5);
      row.lobeHDb = -65.0 + 25.0 * (row.spacingLambda - 0.5);
    }
    f.sweep.push_back(row);
  }
  f.dl6wuELambda = 1.93185165257814;
  f.dl6wuHLambda = 1.81397763927165;
  f.chosenELambda = 1.5;
  f.chosenHLambda = f.dl6wuHLambda;
  f.chosen.gainEDb = 2.9;
  f.chosen.gainHDb = 2.95;
  f.chosen.e.strongestLobe = stack::Lobe{-12.0, 24.0};
  for (int i = 0; i <= 720; ++i) {
    const double angle = -180.0 + 0.5 * i;
    const double c = std::cos(angle * kPi / 180.0);
    const double single =
        std::fabs(angle) < 90.0 ? 10.0 * std::log10(std::max(std::pow(c, 20.0), 1e-9)) : -90.0;
    const double wobble = 12.0 * (1.0 - std::cos(angle * kPi / 12.0));
    f.singleE.push_back({angle, std::max(kFloorDb, single)});
    f.singleH.push_back({angle, std::max(kFloorDb, 1.1 * single)});
    f.stackE.push_back({angle, std::max(kFloorDb, single - wobble)});
    f.stackH.push_back({angle, std::max(kFloorDb, 1.1 * single - wobble)});
  }
  return f;
}

}  // namespace lobrin::chart
