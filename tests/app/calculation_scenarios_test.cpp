// What the user sees after the worked examples and after sequences of typing
// and clicking at the edges of the calculation: each scenario is a list of
// steps, and every "shows" step compares all seven boxes.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "calculator_fixture.h"

namespace lobrin::gui {
namespace {

enum class Act { Type, Retype, Press, Calculate, Shows };

struct Step {
  Act act;
  Edit edit;
  Button button;
  // Type, Retype: the text; Calculate: the frequency, H and E beamwidths typed
  // in that order before the click; Shows: H bw, E bw, frequency, H m, H ft, E m, E ft.
  EditTexts texts;
};

Step Type(Edit edit, const std::string& text) { return {Act::Type, edit, {}, {text}}; }
Step Retype(Edit edit, const std::string& text) { return {Act::Retype, edit, {}, {text}}; }
Step Press(Button button) { return {Act::Press, {}, button, {}}; }
Step Calculate(const char* frequency, const char* hBw, const char* eBw) {
  return {Act::Calculate, {}, {}, {frequency, hBw, eBw}};
}
Step Shows(const EditTexts& shown) { return {Act::Shows, {}, {}, shown}; }

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

// A worked example: frequency, then both beamwidths, then Calculate; the four
// results must match to the last digit.
Scenario Example(const char* name, const char* hBw, const char* eBw, const char* frequency, const char* hM,
                 const char* hFt, const char* eM, const char* eFt) {
  return {name, {Calculate(frequency, hBw, eBw), Shows({hBw, eBw, frequency, hM, hFt, eM, eFt})}};
}

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> scenarios = {
      Example("TwoMetres", "32", "30", "144", kH32m, kH32ft, kE30m, kE30ft),
      Example("SeventyCentimetres", "30.2", "28.5", "432", "1.33288373407207", "4.37297827009301",
              "1.41059344747959", "4.62793140622894"),
      Example("TwentyThreeCentimetres", "22", "22", "1296", "0.60657905835276", "1.99008883780607",
              "0.60657905835276", "1.99008883780607"),
      Example("SixMetres", "60", "60", "50", "6", "19.68504", "6", "19.68504"),
      Example("HalfTurn", "180", "180", "144", "1.04166666666667", "3.41754166666668", "1.04166666666667",
              "3.41754166666668"),
      Example("NegativeBeamwidth", "-30", "30", "144", "-4.02469094287112", "-13.2043670330093", kE30m,
              kE30ft),
      Example("CommaIsSkipped", "30,5", "30", "144", "2.25591726062521", "7.40130358534962", kE30m, kE30ft),
      Example("NegativeFrequency", "32", "30", "-144", "-3.77912008181594", "-12.398688329225",
              "-4.02469094287112", "-13.2043670330093"),
      Example("FrequencyNeverTyped", "32", "30", "", "0", "0", "0", "0"),
      Example("FrequencyZero", "32", "30", "0", "0", "0", "0", "0"),
      Example("FrequencyWithoutDigits", "32", "30", "MHz", "0", "0", "0", "0"),
      Example("ZeroBeamwidthLeavesItsPlaneEmpty", "0", "30", "144", "", "", kE30m, kE30ft),
      Example("BeamwidthWithoutDigitsLeavesItsPlaneEmpty", "32", "deg", "144", kH32m, kH32ft, "", ""),
      {"OnlyTheLastFrequencyKeystrokeCounts",
       {Type(Edit::Frequency, "1"), Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"),
        Shows({"32", "30", "1", "", "", "", ""}), Type(Edit::Frequency, "44"), Press(Button::Calculate),
        Shows({"32", "30", "144", kH32m, kH32ft, kE30m, kE30ft})}},
      {"BeamwidthsBeforeFrequency",
       {Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"), Type(Edit::Frequency, "144"),
        Press(Button::Calculate), Shows({"32", "30", "144", kH32m, kH32ft, kE30m, kE30ft})}},
      {"CalculateTwiceShowsTheSame",
       {Calculate("144", "32", "30"), Press(Button::Calculate),
        Shows({"32", "30", "144", kH32m, kH32ft, kE30m, kE30ft})}},
      {"NewFrequencyWaitsForCalculate",
       {Calculate("144", "32", "30"), Retype(Edit::Frequency, "432"), Retype(Edit::HPlaneBw, "30.2"),
        Retype(Edit::EPlaneBw, "28.5"), Shows({"30.2", "28.5", "432", kH32m, kH32ft, kE30m, kE30ft}),
        Press(Button::Calculate),
        Shows({"30.2", "28.5", "432", "1.33288373407207", "4.37297827009301", "1.41059344747959",
               "4.62793140622894"})}},
      {"ClearEmptiesEveryBoxAndKeepsTheWavelength",
       {Calculate("144", "60", "60"), Press(Button::Clear), Shows({"", "", "", "", "", "", ""}),
        Type(Edit::HPlaneBw, "32"), Type(Edit::EPlaneBw, "30"), Press(Button::Calculate),
        Shows({"32", "30", "", kH32m, kH32ft, kE30m, kE30ft})}},
      {"MetresTypedByHandGiveTheFeet",
       {Type(Edit::HMeters, "4.02469094287112"),
        Shows({"", "", "", "4.02469094287112", "13.2043670330093", "", ""}), Type(Edit::EMeters, "6"),
        Shows({"", "", "", "4.02469094287112", "13.2043670330093", "6", "19.68504"})}},
      {"MetresRetypedAfterCalculate",
       {Calculate("144", "32", "30"), Retype(Edit::EMeters, "6"),
        Shows({"32", "30", "144", kH32m, kH32ft, "6", "19.68504"})}},
      {"FeetAndBeamwidthBoxesChangeNothingElse",
       {Type(Edit::HFeet, "12"), Type(Edit::EFeet, "7"), Type(Edit::HPlaneBw, "32"),
        Type(Edit::EPlaneBw, "30"), Shows({"32", "30", "", "", "12", "", "7"}), Type(Edit::Frequency, "144"),
        Press(Button::Calculate), Retype(Edit::HFeet, "1"), Retype(Edit::EFeet, ""),
        Shows({"32", "30", "144", kH32m, "1", kE30m, ""})}},
      {"EmptyBeamwidthKeepsTheEarlierResult",
       {Calculate("144", "32", "30"), Retype(Edit::HPlaneBw, "180"), Retype(Edit::EPlaneBw, ""),
        Press(Button::Calculate),
        Shows({"180", "", "144", "1.04166666666667", "3.41754166666668", kE30m, kE30ft})}},
      {"FrequencyDeletedAfterTyping",
       {Type(Edit::Frequency, "144"), Retype(Edit::Frequency, ""), Calculate("", "32", "30"),
        Shows({"32", "30", "", "0", "0", "0", "0"})}},
      // A beamwidth beyond the double range gives no half angle: its plane keeps what it showed.
      {"UnreadableBeamwidthAfterClearLeavesItsPlaneEmpty",
       {Calculate("144", "30", "30"), Press(Button::Clear), Calculate("432", "1e999", "30"),
        Shows({"1e999", "30", "432", "", "", "1.34156364762371", "4.40145567766977"})}},
      {"UnreadableBeamwidthKeepsItsPlanesTexts",
       {Calculate("144", "30", "32"), Retype(Edit::HPlaneBw, "1e999"), Retype(Edit::EPlaneBw, "30"),
        Retype(Edit::Frequency, "432"), Press(Button::Calculate),
        Shows({"1e999", "30", "432", kE30m, kE30ft, "1.34156364762371", "4.40145567766977"})}},
      {"UnreadableMetresGiveNoFeet",
       {Calculate("144", "32", "30"), Retype(Edit::HMeters, "1e999"),
        Shows({"32", "30", "144", "1e999", "", kE30m, kE30ft})}},
      // sin(180 degrees) is not exactly zero: huge distances, written out in digits.
      Example("FullTurnBeamwidths", "360", "720", "144", "19627536680402600", "64394807442532100",
              "-9813768340201290", "-32197403721266000"),
  };
  return scenarios;
}

class ScenarioTest : public CalculatorTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(ScenarioTest, ShowsWhatTheUserExpects) {
  int number = 0;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE("step " + std::to_string(++number));
    switch (step.act) {
      case Act::Type: ASSERT_TRUE(calc().Type(step.edit, step.texts[0])); break;
      case Act::Retype: ASSERT_TRUE(calc().Retype(step.edit, step.texts[0])); break;
      case Act::Press: ASSERT_TRUE(calc().Click(step.button)); break;
      case Act::Calculate:
        ASSERT_TRUE(calc().Type(Edit::Frequency, step.texts[0]));
        ASSERT_TRUE(calc().Type(Edit::HPlaneBw, step.texts[1]));
        ASSERT_TRUE(calc().Type(Edit::EPlaneBw, step.texts[2]));
        ASSERT_TRUE(calc().Click(Button::Calculate));
        break;
      case Act::Shows: EXPECT_EQ(calc().Texts(), step.texts); break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, ScenarioTest, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace lobrin::gui
