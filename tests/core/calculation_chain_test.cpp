#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/calculation_chain.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

// What the four result boxes show: H metres, H feet, E metres, E feet.
using Shown = std::vector<std::string>;

Shown Results(const CalculationChain& chain) {
  return {chain.HMetersEdit.text(), chain.HFeetEdit.text(), chain.EMetersEdit.text(), chain.EFeetEdit.text()};
}

// The user types the frequency first, then both beamwidths, then clicks Calculate.
void Calculate(CalculationChain& chain, const std::string& hBeamwidth, const std::string& eBeamwidth,
               const std::string& frequency) {
  chain.FrequencyEdit.Retype(frequency);
  chain.HPlaneBwEdit.Retype(hBeamwidth);
  chain.EPlaneBwEdit.Retype(eBeamwidth);
  chain.CalculateButton.Click();
}

class Calculator : public ::testing::Test {
 protected:
  CalculationChain chain_;
  LinkTrafficOn traffic_;  // on once the chain is built, as at start-up
};

TEST_F(Calculator, WorkedExamplesShowTheseTexts) {
  const struct { const char* hBeamwidth; const char* eBeamwidth; const char* frequency; Shown shown; } rows[] = {
      {"32", "30", "144", {"3.77912008181594", "12.398688329225", "4.02469094287112", "13.2043670330093"}},
      {"30.2", "28.5", "432", {"1.33288373407207", "4.37297827009301", "1.41059344747959", "4.62793140622894"}},
      {"22", "22", "1296", {"0.60657905835276", "1.99008883780607", "0.60657905835276", "1.99008883780607"}},
      {"60", "60", "50", {"6", "19.68504", "6", "19.68504"}},
      {"180", "180", "144", {"1.04166666666667", "3.41754166666668", "1.04166666666667", "3.41754166666668"}},
      {"-30", "30", "144", {"-4.02469094287112", "-13.2043670330093", "4.02469094287112", "13.2043670330093"}},
      {"30,5", "30", "144", {"2.25591726062521", "7.40130358534962", "4.02469094287112", "13.2043670330093"}},
  };
  for (const auto& row : rows) {
    CalculationChain chain;
    Calculate(chain, row.hBeamwidth, row.eBeamwidth, row.frequency);
    EXPECT_EQ(Results(chain), row.shown) << row.hBeamwidth << " / " << row.eBeamwidth << " at " << row.frequency;
    // The same rows typed into a chain that has computed before give the same texts.
    Calculate(chain_, row.hBeamwidth, row.eBeamwidth, row.frequency);
    EXPECT_EQ(Results(chain_), row.shown) << "reused chain, " << row.hBeamwidth << " at " << row.frequency;
  }
}

TEST_F(Calculator, IntermediateValuesFor30DegreesAt144MHz) {
  Calculate(chain_, "30", "30", "144");
  for (const THIMath* wavelength : {&chain_.HWavelengthMath, &chain_.EWavelengthMath}) {
    EXPECT_EQ(wavelength->result, 2.0833333333333335);
  }
  EXPECT_EQ(chain_.EHalfAngleMath.result, 15.0);
  EXPECT_EQ(chain_.ESineMath.result, 0.25881904510252074);
  EXPECT_EQ(chain_.EDoubleSineMath.result, 0.5176380902050415);
  EXPECT_EQ(chain_.EDistanceMath.result, 4.024690942871119);
  EXPECT_EQ(chain_.HDistanceMath.result, 4.024690942871119);
  EXPECT_EQ(chain_.EFeetMath.result, 3.28084 * 4.02469094287112);
  EXPECT_EQ(Results(chain_), (Shown{"4.02469094287112", "13.2043670330093", "4.02469094287112", "13.2043670330093"}));
}

TEST_F(Calculator, ABeamwidthWithoutValueLeavesItsPlaneAndAFrequencyWithoutValueGivesZeros) {
  const Shown h32e30 = {"3.77912008181594", "12.398688329225", "4.02469094287112", "13.2043670330093"};
  const Shown zeros = {"0", "0", "0", "0"};
  const struct { const char* hBeamwidth; const char* frequency; Shown shown; } rows[] = {
      {"0", "144", h32e30}, {"", "144", h32e30}, {"abc", "144", h32e30},
      {"32", "0", zeros},   {"32", "", zeros},   {"32", "MHz", zeros}};
  for (const auto& row : rows) {
    CalculationChain chain;
    Calculate(chain, "32", "30", "144");
    Calculate(chain, row.hBeamwidth, "30", row.frequency);
    EXPECT_EQ(Results(chain), row.shown) << '"' << row.hBeamwidth << "\" at \"" << row.frequency << '"';
  }
  chain_.HPlaneBwEdit.Type("30");
  chain_.EPlaneBwEdit.Type("30");
  chain_.CalculateButton.Click();  // never typed: the wavelength is still its initial 0.0
  EXPECT_EQ(Results(chain_), zeros);
}

TEST_F(Calculator, EachFrequencyKeystrokeRecomputesBothWavelengthsButNoDistance) {
  Calculate(chain_, "30", "30", "");
  for (auto [key, wavelength] :
       {std::make_pair('1', 300.0), std::make_pair('4', 300.0 / 14.0), std::make_pair('4', 300.0 / 144.0)}) {
    chain_.FrequencyEdit.Type(std::string(1, key));
    EXPECT_EQ(chain_.HWavelengthMath.result, wavelength);
    EXPECT_EQ(chain_.EWavelengthMath.result, wavelength);
  }
  EXPECT_EQ(chain_.HMetersEdit.text(), "0") << "until Calculate is clicked again";
  chain_.CalculateButton.Click();
  EXPECT_EQ(chain_.HMetersEdit.text(), "4.02469094287112");
}

TEST_F(Calculator, ClearEmptiesTheSevenBoxesSilentlyAndKeepsTheWavelength) {
  Calculate(chain_, "32", "30", "144");
  const int frequencyChanges = chain_.FrequencyEdit.reportedChanges();
  chain_.ClearButton.Click();
  EXPECT_EQ(Results(chain_), (Shown{"", "", "", ""}));
  EXPECT_EQ((Shown{chain_.HPlaneBwEdit.text(), chain_.EPlaneBwEdit.text(), chain_.FrequencyEdit.text()}),
            (Shown{"", "", ""}));
  EXPECT_EQ(chain_.FrequencyEdit.reportedChanges(), frequencyChanges);
  // New beamwidths only: the frequency typed before the Clear still counts.
  chain_.HPlaneBwEdit.Type("30");
  chain_.EPlaneBwEdit.Type("32");
  chain_.CalculateButton.Click();
  EXPECT_EQ(Results(chain_), (Shown{"4.02469094287112", "13.2043670330093", "3.77912008181594", "12.398688329225"}));
  // After a silent change the next typed key is reported again.
  chain_.ClearButton.Click();
  chain_.FrequencyEdit.Type("5");
  EXPECT_EQ(chain_.HWavelengthMath.result, 60.0);
}

TEST_F(Calculator, NoBoxEverShowsAnInfinityOrNan) {
  const struct { const char* hBeamwidth; const char* eBeamwidth; const char* frequency; } inputs[] = {
      {"1e999", "-1e999", "144"},    {"30", "30", "1e999"},    {"30", "30", "1e-320"},
      {"30", "1e-320", "1e-300"},    {"1e-320", "30", "144"},  {"360", "30", "1e-300"},
      {"0e99999", "30", "-1e999"},
  };
  for (const auto& in : inputs) {
    CalculationChain chain;
    Calculate(chain, in.hBeamwidth, in.eBeamwidth, in.frequency);
    for (const std::string& text : Results(chain)) {
      EXPECT_EQ(text.find_first_of("INFA"), std::string::npos)
          << in.hBeamwidth << " / " << in.eBeamwidth << " at " << in.frequency << ": " << text.substr(0, 30);
    }
  }
}

}  // namespace
}  // namespace lobrin
