// What the user sees after sequences of typing and clicking at the edges of
// the calculation: each scenario is a list of steps, and every "shows" step
// compares all seven boxes.

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "calculator_fixture.h"

namespace lobrin::gui {
namespace {

enum class Act { Type, Retype, Press, Shows };

struct Step {
  Act act;
  Edit edit;
  Button button;
  std::string text;
  EditTexts shown;  // for Shows: H bw, E bw, frequency, H m, H ft, E m, E ft
};

Step Type(Edit edit, const std::string& text) { return {Act::Type, edit, {}, text, {}}; }
Step Retype(Edit edit, const std::string& text) { return {Act::Retype, edit, {}, text, {}}; }
Step Press(Button button) { return {Act::Press, {}, button, {}, {}}; }
Step Shows(const EditTexts& shown) { return {Act::Shows, {}, {}, {}, shown}; }

// The results of the first worked example (32 and 30 degrees at 144 MHz).
const char kH32m[] = "3.77912008181594";
const char kH32ft[] = "12.398688329225";
const char kE30m[] = "4.02469094287112";
const char kE30ft[] = "13.2043670330093";

struct Scenario {
  const char* name;
  std::vector<Step> steps;
};

// Names the case in gtest's messages.
void PrintTo(const Scenario& value, std::ostream* out) { *out << value.name; }

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> scenarios = {
      {"OnlyTheLastFrequencyKeystrokeCounts",
       {Type(Edit::Frequency, "1"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Shows({"32", "30", "1", "", "", "", ""}), Type(Edit::Frequency, "44"),
        Press(Button::Calculate), Shows({"32", "30", "144", kH32m, kH32ft, kE30m, kE30ft})}},
      {"BeamwidthsBeforeFrequency",
       {Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"), Type(Edit::Frequency, "144"),
        Press(Button::Calculate), Shows({"32", "30", "144", kH32m, kH32ft, kE30m, kE30ft})}},
      {"CalculateTwiceShowsTheSame",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Press(Button::Calculate),
        Shows({"32", "30", "144", kH32m, kH32ft, kE30m, kE30ft})}},
      {"NewFrequencyWaitsForCalculate",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Retype(Edit::Frequency, "432"),
        Retype(Edit::HPlaneBw, "30.2"), Retype(Edit::EPlaneBw, "28.5"),
        Shows({"30.2", "28.5", "432", kH32m, kH32ft, kE30m, kE30ft}), Press(Button::Calculate),
        Shows({"30.2", "28.5", "432", "1.33288373407207", "4.37297827009301",
               "1.41059344747959", "4.62793140622894"})}},
      {"ClearEmptiesEveryBox",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Press(Button::Clear), Shows({"", "", "", "", "", "", ""})}},
      {"ClearKeepsTheWavelength",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "60"), Type(Edit::EPlaneBw, "60"),
        Press(Button::Calculate), Press(Button::Clear), Type(Edit::HPlaneBw, "32"),
        Type(Edit::EPlaneBw, "30"), Press(Button::Calculate),
        Shows({"32", "30", "", kH32m, kH32ft, kE30m, kE30ft})}},
      {"MetresTypedByHandGiveTheFeet",
       {Type(Edit::HMeters, "4.02469094287112"),
        Shows({"", "", "", "4.02469094287112", "13.2043670330093", "", ""}),
        Type(Edit::EMeters, "6"),
        Shows({"", "", "", "4.02469094287112", "13.2043670330093", "6", "19.68504"})}},
      {"MetresRetypedAfterCalculate",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Retype(Edit::EMeters, "6"),
        Shows({"32", "30", "144", kH32m, kH32ft, "6", "19.68504"})}},
      {"FeetAndBeamwidthBoxesChangeNothingElse",
       {Type(Edit::HFeet, "12"), Type(Edit::EFeet, "7"), Type(Edit::HPlaneBw, "32"),
        Type(Edit::EPlaneBw, "30"), Shows({"32", "30", "", "", "12", "", "7"}),
        Type(Edit::Frequency, "144"), Press(Button::Calculate), Retype(Edit::HFeet, "1"),
        Retype(Edit::EFeet, ""), Shows({"32", "30", "144", kH32m, "1", kE30m, ""})}},
      {"ZeroBeamwidthLeavesItsPlaneEmpty",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "0"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Shows({"0", "30", "144", "", "", kE30m, kE30ft})}},
      {"BeamwidthWithoutDigitsLeavesItsPlaneEmpty",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "deg"),
        Press(Button::Calculate), Shows({"32", "deg", "144", kH32m, kH32ft, "", ""})}},
      {"EmptyBeamwidthKeepsTheEarlierResult",
       {Type(Edit::Frequency, "144"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Retype(Edit::HPlaneBw, "180"), Retype(Edit::EPlaneBw, ""),
        Press(Button::Calculate),
        Shows({"180", "", "144", "1.04166666666667", "3.41754166666668", kE30m, kE30ft})}},
      {"FrequencyNeverTyped",
       {Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"), Press(Button::Calculate),
        Shows({"32", "30", "", "0", "0", "0", "0"})}},
      {"FrequencyZero",
       {Type(Edit::Frequency, "0"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Shows({"32", "30", "0", "0", "0", "0", "0"})}},
      {"FrequencyWithoutDigits",
       {Type(Edit::Frequency, "MHz"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate), Shows({"32", "30", "MHz", "0", "0", "0", "0"})}},
      {"FrequencyDeletedAfterTyping",
       {Type(Edit::Frequency, "144"), Retype(Edit::Frequency, ""), Type(Edit::HPlaneBw, "32"),
        Type(Edit::EPlaneBw, "30"), Press(Button::Calculate),
        Shows({"32", "30", "", "0", "0", "0", "0"})}},
      {"NegativeFrequency",
       {Type(Edit::Frequency, "-144"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Press(Button::Calculate),
        Shows({"32", "30", "-144", "-3.77912008181594", "-12.398688329225",
               "-4.02469094287112", "-13.2043670330093"})}},
  };
  return scenarios;
}

class ScenarioTest : public CalculatorTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(ScenarioTest, ShowsWhatTheUserExpects) {
  int number = 0;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE("step " + std::to_string(++number));
    switch (step.act) {
      case Act::Type:
        ASSERT_TRUE(calc().Type(step.edit, step.text));
        break;
      case Act::Retype:
        ASSERT_TRUE(calc().Retype(step.edit, step.text));
        break;
      case Act::Press:
        ASSERT_TRUE(calc().Click(step.button));
        break;
      case Act::Shows:
        EXPECT_EQ(calc().Texts(), step.shown);
        break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, ScenarioTest, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

// A beamwidth of a full turn: sin(180 degrees) is not exactly zero, so the
// distance is huge and written out in digits, never in exponent form.
TEST_F(CalculatorTest, FullTurnBeamwidthShowsAllDigits) {
  ASSERT_TRUE(calc().Type(Edit::Frequency, "144"));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, "360"));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, "720"));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  for (Edit edit : {Edit::HMeters, Edit::HFeet, Edit::EMeters, Edit::EFeet}) {
    std::string text = calc().Text(edit);
    SCOPED_TRACE(text);
    if (!text.empty() && text[0] == '-') text.erase(0, 1);
    EXPECT_GE(text.size(), 16u);
    for (char c : text) EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)));
  }
}

}  // namespace
}  // namespace lobrin::gui
