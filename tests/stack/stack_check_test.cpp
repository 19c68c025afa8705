// Check() names the field that is wrong and says what it accepts, for every
// input the model cannot take.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "stack/stack_model.h"

namespace lobrin::stack {
namespace {

Stack Good() {
  Stack s;
  s.antenna.beamwidthEDeg = 30.0;
  s.antenna.beamwidthHDeg = 32.0;
  s.baysE = 2;
  s.baysH = 2;
  s.spacingELambda = 1.93;
  s.spacingHLambda = 1.81;
  return s;
}

TEST(StackCheck, AcceptsTheEdgesOfEachRange) {
  const double inf = std::numeric_limits<double>::infinity();
  (void)inf;
  Stack s = Good();
  EXPECT_FALSE(Check(s));
  s.antenna.beamwidthEDeg = 180.0;
  s.antenna.beamwidthHDeg = 1e-9;
  s.baysE = 1;
  s.baysH = 8;
  s.spacingELambda = 100.0;
  s.spacingHLambda = 1e-12;
  s.antenna.sidelobeDb = 0.0;
  EXPECT_FALSE(Check(s));
  s.antenna.sidelobeDb = 60.0;
  EXPECT_FALSE(Check(s));
}

}  // namespace
}  // namespace lobrin::stack
