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

TEST(FpuControl, ExtendedPrecisionKeepsBitsADoubleLoses) {
  // 1 + 2^-60 is exact in the 64-bit significand and rounds away in a double.
  volatile long double one = 1.0L;
  volatile long double tiny = std::ldexp(1.0L, -60);
  EXPECT_NE(one + tiny, one);
  EXPECT_EQ(static_cast<double>(one + tiny), 1.0);
}

}  // namespace
}  // namespace lobrin
