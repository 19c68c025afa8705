// The worked examples: frequency typed first, then both beamwidths, then
// Calculate; the four results must match to the last digit.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calculator_fixture.h"

namespace lobrin::gui {
namespace {

struct WorkedExample {
  const char* name;
  const char* hPlaneBw;
  const char* ePlaneBw;
  const char* frequency;
  const char* hMeters;
  const char* hFeet;
  const char* eMeters;
  const char* eFeet;
};

// Names the case in gtest's messages.
void PrintTo(const WorkedExample& value, std::ostream* out) { *out << value.name; }

const WorkedExample kWorkedExamples[] = {
    {"TwoMetres", "32", "30", "144", "3.77912008181594", "12.398688329225", "4.02469094287112",
     "13.2043670330093"},
    {"SeventyCentimetres", "30.2", "28.5", "432", "1.33288373407207", "4.37297827009301",
     "1.41059344747959", "4.62793140622894"},
    {"TwentyThreeCentimetres", "22", "22", "1296", "0.60657905835276", "1.99008883780607",
     "0.60657905835276", "1.99008883780607"},
    {"SixMetres", "60", "60", "50", "6", "19.68504", "6", "19.68504"},
    {"HalfTurn", "180", "180", "144", "1.04166666666667", "3.41754166666668",
     "1.04166666666667", "3.41754166666668"},
    {"NegativeBeamwidth", "-30", "30", "144", "-4.02469094287112", "-13.2043670330093",
     "4.02469094287112", "13.2043670330093"},
    {"CommaIsSkipped", "30,5", "30", "144", "2.25591726062521", "7.40130358534962",
     "4.02469094287112", "13.2043670330093"},
};

class WorkedExampleTest : public CalculatorTest,
                          public ::testing::WithParamInterface<WorkedExample> {};

TEST_P(WorkedExampleTest, ShowsTheFourDistances) {
  const WorkedExample& example = GetParam();
  ASSERT_TRUE(calc().Type(Edit::Frequency, example.frequency));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, example.hPlaneBw));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, example.ePlaneBw));
  ASSERT_TRUE(calc().Click(Button::Calculate));

  const EditTexts expected = {example.hPlaneBw, example.ePlaneBw, example.frequency,
                              example.hMeters,  example.hFeet,    example.eMeters,
                              example.eFeet};
  EXPECT_EQ(calc().Texts(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedExampleTest, ::testing::ValuesIn(kWorkedExamples),
                         [](const ::testing::TestParamInfo<WorkedExample>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace lobrin::gui
