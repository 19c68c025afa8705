#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toolkit/fpu_control.h"

namespace lobrin {
namespace {

TEST(FpuControl, TestProgramsRunWithExtendedPrecisionAndNoTraps) {
  EXPECT_EQ(ReadFpuControlWord(), kExtendedNoTrapsControlWord);
}

TEST(FpuControl, OverflowAndInvalidOperationsDoNotTrap) {
  volatile long double huge = std::numeric_limits<long double>::max();
  volatile long double zero = 0.0L;
  long double overflow = huge * 2.0L;
  long double quotient = 1.0L / zero;
  long double invalid = zero / zero;
  EXPECT_TRUE(std::isinf(overflow));
  EXPECT_TRUE(std::isinf(quotient));
  EXPECT_TRUE(std::isnan(invalid));
}

}  // namespace
}  // namespace lobrin
