#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "elements/math.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using testing::CallLog;
using testing::LinkTrafficOn;
using testing::ProbeElement;

// A math element whose result and error events end in probes.
class MathElement : public ::testing::Test {
 protected:
  MathElement() {
    math_.realResult = true;
    math_.SetAngleMode(kAngleRadians);
    math_.resultEvent = MakeLink<&ProbeElement::recordPoint>(&results_);
    math_.errorEvent = MakeLink<&ProbeElement::recordPoint>(&errors_);
  }
  void Configure(std::uint8_t kind, double firstDefault, double secondDefault, double initialResult = 0.0) {
    math_.operationKind = kind;
    math_.firstDefault = firstDefault;
    math_.secondDefault = secondDefault;
    math_.SetInitialResult(initialResult);
  }
  void Compute(TData value) { math_.computePoint(value, 0); }
  void ComputeReal(double r) { TData v; SetReal(v, r); Compute(v); }
  void ComputeText(const std::string& t) { TData v; SetText(v, t); Compute(v); }
  std::string ReadResult() {
    TData v;
    math_.resultPoint(v, 0);
    return testing::Describe(v);
  }

  LinkTrafficOn traffic_;
  CallLog log_;
  ProbeElement results_{log_, "result"};
  ProbeElement errors_{log_, "error"};
  ProbeElement operand_{log_, "operand"};
  THIMath math_;
};

TEST_F(MathElement, DegreeFactorIsPiOver180FromTheX87Constant) {
  math_.SetAngleMode(kAngleDegrees);
  EXPECT_EQ(math_.angleFactor, 0.017453292519943295);
  math_.SetAngleMode(5);
  EXPECT_EQ(math_.angleFactor, 0.017453292519943295);
  math_.SetAngleMode(kAngleRadians);
  EXPECT_EQ(math_.angleFactor, 1.0);
}

TEST_F(MathElement, ANonZeroDefaultWinsAndAZeroDefaultTakesTheIncomingValue) {
  Configure(kMathDivide, 300.0, 0.0);
  ComputeText("145");
  EXPECT_EQ(math_.result, 2.0689655172413794);
  EXPECT_EQ(log_, (CallLog{"result:Real:2.06896551724138"}));
}

TEST_F(MathElement, ALinkedOperandIgnoresDefaultAndIncomingValue) {
  Configure(kMathDivide, 2.0, 2.0);
  operand_.answer.kind = kDataString;
  operand_.answer.textValue = "30";
  math_.firstOperandLink = MakeLink<&ProbeElement::answerPoint>(&operand_);
  ComputeReal(1000.0);
  EXPECT_EQ(math_.result, 15.0);
}

TEST_F(MathElement, OnlyTheFirstOperandWithoutDefaultReceivesTheIncomingValue) {
  Configure(kMathMultiply, 2.0, 0.0);
  ComputeReal(0.5);
  EXPECT_EQ(math_.result, 1.0);
  Configure(kMathMultiply, 0.0, 0.0);
  ComputeReal(5.0);
  EXPECT_EQ(math_.result, 0.0);
}

TEST_F(MathElement, SineTakesItsArgumentInDegreesOrRadians) {
  Configure(kMathSine, 0.0, 0.0);
  math_.SetAngleMode(kAngleDegrees);
  ComputeReal(90.0);
  EXPECT_EQ(math_.result, 1.0);
  ComputeReal(15.0);
  EXPECT_EQ(math_.result, 0.25881904510252074);

  math_.SetAngleMode(kAngleRadians);
  ComputeReal(0.5);
  EXPECT_DOUBLE_EQ(math_.result, std::sin(0.5));
  // The x87 sine does not reduce arguments of 2^63 and more: they come back unchanged.
  ComputeReal(1e19);
  EXPECT_EQ(math_.result, 1e19);
  EXPECT_FALSE(math_.errorFlag);
}

TEST_F(MathElement, DivisionByZeroTakesTheErrorPathUntilTheNextGoodResult) {
  Configure(kMathDivide, 1.0, 0.0, 2.0);
  ComputeReal(4.0);
  EXPECT_EQ(math_.result, 0.25);
  ComputeReal(-0.0);
  EXPECT_TRUE(math_.errorFlag);
  EXPECT_EQ(math_.result, 2.0);
  EXPECT_EQ(ReadResult(), "NULL:");
  EXPECT_EQ(log_, (CallLog{"result:Real:0.25", "error:NULL:"}));

  ComputeReal(8.0);
  EXPECT_FALSE(math_.errorFlag);
  EXPECT_EQ(ReadResult(), "Real:0.125");
}

TEST_F(MathElement, NonFiniteResultsTakeTheErrorPathSoNoInfinityOrNanLeaves) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::uint8_t kind;
    double firstDefault;
    double secondDefault;
    double incoming;
    const char* what;
  } cases[] = {
      {kMathMultiply, 1e200, 1e200, 0.0, "product overflows"},
      {kMathMultiply, 2.0, 0.0, inf, "infinite operand"},
      {kMathMultiply, 0.0, 0.0, inf, "infinity times zero"},  // the second gets the consumed NULL
      {kMathDivide, 1e300, 0.0, 1e-300, "quotient overflows"},
      {kMathDivide, 1.0, 0.0, nan, "NaN divisor"},
      {kMathSine, 0.0, 0.0, inf, "sine of infinity"},
  };
  for (const auto& c : cases) {
    Configure(c.kind, c.firstDefault, c.secondDefault, 7.0);
    math_.result = -1.0;
    log_.clear();
    ComputeReal(c.incoming);
    EXPECT_TRUE(math_.errorFlag) << c.what;
    EXPECT_EQ(math_.result, 7.0) << c.what;
    EXPECT_EQ(log_, (CallLog{"error:NULL:"})) << c.what;
    EXPECT_EQ(ReadResult(), "NULL:") << c.what;
  }
  // A text beyond the double range reads as infinity and ends the same way.
  Configure(kMathSine, 0.0, 0.0, 7.0);
  ComputeText("1e999");
  EXPECT_TRUE(math_.errorFlag);
}

TEST_F(MathElement, AnIntegerResultIsRoundedTiesToEven) {
  math_.realResult = false;
  const struct {
    double dividend;
    const char* fired;
  } cases[] = {{7.0, "result:Integer:4"}, {5.0, "result:Integer:2"}, {-5.0, "result:Integer:-2"}};
  for (const auto& c : cases) {
    Configure(kMathDivide, c.dividend, 2.0);
    log_.clear();
    ComputeReal(0.0);
    EXPECT_EQ(log_, (CallLog{c.fired}));
  }
  EXPECT_EQ(ReadResult(), "Integer:-2");
}

TEST_F(MathElement, ResultPointAnswersTheInitialResultBeforeAnyComputation) {
  Configure(kMathDivide, 0.0, 0.0, 2.0);
  EXPECT_EQ(ReadResult(), "Real:2");
  EXPECT_TRUE(log_.empty());
}

TEST_F(MathElement, AnUnknownOperationComputesNothingAndLeavesTheValue) {
  Configure(1, 0.0, 0.0, 3.0);
  TData value;
  SetReal(value, 5.0);
  math_.computePoint(value, 0);
  EXPECT_EQ(math_.result, 3.0);
  EXPECT_EQ(value.kind, kDataReal);
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace lobrin
