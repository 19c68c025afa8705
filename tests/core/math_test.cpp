#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "elements/math.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

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
    log_.clear();
  }
  void ComputeReal(double r) {
    TData v;
    SetReal(v, r);
    math_.computePoint(v, 0);
  }
  std::string ReadResult() {
    TData v;
    math_.resultPoint(v, 0);
    return testing::Describe(v);
  }

  LinkTrafficOn traffic_;
  CallLog log_;
  ProbeElement results_{log_, "result"}, errors_{log_, "error"};
  THIMath math_;
};

TEST_F(MathElement, DivisionByZeroNonFiniteResultsAndOperandsTakeTheErrorPathUntilTheNextGoodResult) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // A result that cannot be had fires the error; an operand that is no finite
  // number fires NULL on the result event as well, so that nothing computed
  // further on keeps an earlier result.
  const CallLog kError{"error:NULL:"};
  const CallLog kErrorAndNullResult{"error:NULL:", "result:NULL:"};
  const struct {
    std::uint8_t kind;
    double first, second, incoming;
    const char* what;
    const CallLog& fired;
  } rows[] = {
      {kMathDivide, 1.0, 0.0, -0.0, "division by zero", kError},
      {kMathMultiply, 1e200, 1e200, 0.0, "product overflows", kError},
      {kMathMultiply, 2.0, 0.0, inf, "infinite operand", kErrorAndNullResult},
      {kMathMultiply, 0.0, 0.0, inf, "infinity times zero",
       kErrorAndNullResult},  // the second gets the consumed NULL
      {kMathDivide, 1.0, 0.0, nan, "NaN divisor", kErrorAndNullResult},
      {kMathDivide, 0.0, 2.0, -inf, "infinite dividend", kErrorAndNullResult},
      {kMathSine, 0.0, 0.0, inf, "sine of infinity", kErrorAndNullResult},
  };
  for (const auto& row : rows) {
    Configure(row.kind, row.first, row.second, 7.0);
    math_.result = -1.0;  // an error puts the initial result back
    ComputeReal(row.incoming);
    EXPECT_EQ(math_.result, 7.0) << row.what;
    EXPECT_EQ(log_, row.fired) << row.what;
    EXPECT_EQ(ReadResult(), "NULL:") << row.what;
  }
  Configure(kMathDivide, 1.0, 0.0, 7.0);
  ComputeReal(8.0);
  EXPECT_EQ(ReadResult(), "Real:0.125");
}

TEST_F(MathElement, AnIntegerResultIsRoundedTiesToEven) {
  math_.realResult = false;
  for (auto [dividend, fired] :
       {std::make_pair(7.0, "result:Integer:4"), std::make_pair(5.0, "result:Integer:2"),
        std::make_pair(-5.0, "result:Integer:-2")}) {
    Configure(kMathDivide, dividend, 2.0);
    ComputeReal(0.0);
    EXPECT_EQ(log_, (CallLog{fired}));
  }
  EXPECT_EQ(ReadResult(), "Integer:-2");
}

TEST_F(MathElement, BeforeAnyComputationTheInitialResultAndAnUnknownOperationComputesNothing) {
  Configure(1, 0.0, 0.0, 3.0);
  TData value;
  SetReal(value, 5.0);
  math_.computePoint(value, 0);
  EXPECT_EQ(ReadResult(), "Real:3");
  EXPECT_EQ(value.kind, kDataReal);
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace lobrin
