// The calculation without windows: exact texts and intermediate values. The
// edge cases (empty, zero and wordy inputs, Clear, keystrokes, overflow) are
// checked on the running program in tests/app.
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

}  // namespace
}  // namespace lobrin
