#include <gtest/gtest.h>

#include <string>

#include "tests/support/calculation_chain.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using testing::CalculationChain;
using testing::LinkTrafficOn;

// What the seven boxes show, in the order H metres, H feet, E metres, E feet,
// then the three inputs.
struct Shown {
  std::string hMeters, hFeet, eMeters, eFeet;
  bool operator==(const Shown& o) const {
    return hMeters == o.hMeters && hFeet == o.hFeet && eMeters == o.eMeters && eFeet == o.eFeet;
  }
};
std::ostream& operator<<(std::ostream& os, const Shown& s) {
  return os << "{" << s.hMeters << ", " << s.hFeet << ", " << s.eMeters << ", " << s.eFeet << "}";
}

class Calculator : public ::testing::Test {
 protected:
  // The user types the frequency first, then both beamwidths, then clicks Calculate.
  void Calculate(const std::string& hBeamwidth, const std::string& eBeamwidth, const std::string& frequency) {
    chain_.FrequencyEdit.Retype(frequency);
    chain_.HPlaneBwEdit.Retype(hBeamwidth);
    chain_.EPlaneBwEdit.Retype(eBeamwidth);
    chain_.CalculateButton.Click();
  }
  Shown Results() const {
    return {chain_.HMetersEdit.text(), chain_.HFeetEdit.text(), chain_.EMetersEdit.text(), chain_.EFeetEdit.text()};
  }

  CalculationChain chain_;
  LinkTrafficOn traffic_;  // on once the chain is built, as at start-up
};

TEST_F(Calculator, WorkedExamplesShowTheseTexts) {
  const struct {
    const char* hBeamwidth;
    const char* eBeamwidth;
    const char* frequency;
    Shown shown;
  } rows[] = {
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
    chain.FrequencyEdit.Type(row.frequency);
    chain.HPlaneBwEdit.Type(row.hBeamwidth);
    chain.EPlaneBwEdit.Type(row.eBeamwidth);
    chain.CalculateButton.Click();
    const Shown shown{chain.HMetersEdit.text(), chain.HFeetEdit.text(), chain.EMetersEdit.text(),
                      chain.EFeetEdit.text()};
    EXPECT_EQ(shown, row.shown) << row.hBeamwidth << " / " << row.eBeamwidth << " at " << row.frequency;
    // The same rows typed into a chain that has computed before give the same texts.
    Calculate(row.hBeamwidth, row.eBeamwidth, row.frequency);
    EXPECT_EQ(Results(), row.shown) << "reused chain, " << row.hBeamwidth << " at " << row.frequency;
  }
}

TEST_F(Calculator, IntermediateValuesFor30DegreesAt144MHz) {
  Calculate("30", "30", "144");
  for (const THIMath* wavelength : {&chain_.HWavelengthMath, &chain_.EWavelengthMath}) {
    EXPECT_EQ(wavelength->result, 2.0833333333333335);
  }
  EXPECT_EQ(chain_.EHalfAngleMath.result, 15.0);
  EXPECT_EQ(chain_.ESineMath.result, 0.25881904510252074);
  EXPECT_EQ(chain_.EDoubleSineMath.result, 0.5176380902050415);
  EXPECT_EQ(chain_.EDistanceMath.result, 4.024690942871119);
  EXPECT_EQ(chain_.HDistanceMath.result, 4.024690942871119);
  EXPECT_EQ(chain_.EFeetMath.result, 3.28084 * 4.02469094287112);
  EXPECT_EQ(Results(), (Shown{"4.02469094287112", "13.2043670330093", "4.02469094287112", "13.2043670330093"}));
}

TEST_F(Calculator, FeetFollowTheMetreTextAsShownEvenWhenTypedByHand) {
  chain_.HMetersEdit.Type("4.02469094287112");
  EXPECT_EQ(chain_.HFeetEdit.text(), "13.2043670330093");
  chain_.EMetersEdit.Retype("6");
  EXPECT_EQ(chain_.EFeetEdit.text(), "19.68504");
  EXPECT_EQ(chain_.HMetersEdit.text(), "4.02469094287112");
  // Feet boxes and beamwidth boxes drive nothing.
  chain_.HFeetEdit.Retype("1");
  chain_.HPlaneBwEdit.Type("45");
  EXPECT_EQ(Results(), (Shown{"4.02469094287112", "1", "6", "19.68504"}));
}

TEST_F(Calculator, AZeroOrEmptyBeamwidthLeavesThatPlaneAsItWas) {
  for (const char* beamwidth : {"0", "", "abc"}) {
    CalculationChain chain;
    chain.FrequencyEdit.Type("144");
    chain.HPlaneBwEdit.Type(beamwidth);
    chain.EPlaneBwEdit.Type("30");
    chain.CalculateButton.Click();
    EXPECT_EQ(chain.HMetersEdit.text(), "") << '"' << beamwidth << '"';
    EXPECT_EQ(chain.HFeetEdit.text(), "") << '"' << beamwidth << '"';
    EXPECT_TRUE(chain.HDistanceMath.errorFlag);
    EXPECT_EQ(chain.EMetersEdit.text(), "4.02469094287112");
  }
  Calculate("32", "30", "144");
  Calculate("0", "28.5", "432");
  EXPECT_EQ(Results(), (Shown{"3.77912008181594", "12.398688329225", "1.41059344747959", "4.62793140622894"}));
}

TEST_F(Calculator, AMissingOrZeroFrequencyShowsZeroDistances) {
  chain_.HPlaneBwEdit.Type("30");
  chain_.EPlaneBwEdit.Type("30");
  chain_.CalculateButton.Click();  // never typed: the wavelength is still its initial 0.0
  EXPECT_EQ(Results(), (Shown{"0", "0", "0", "0"}));

  for (const char* frequency : {"0", "", "MHz"}) {
    Calculate("30", "30", "144");
    Calculate("30", "30", frequency);
    EXPECT_TRUE(chain_.HWavelengthMath.errorFlag) << '"' << frequency << '"';
    EXPECT_EQ(Results(), (Shown{"0", "0", "0", "0"})) << '"' << frequency << '"';
  }
}

TEST_F(Calculator, EachFrequencyKeystrokeRecomputesBothWavelengths) {
  const struct {
    char key;
    double wavelength;
  } keys[] = {{'1', 300.0}, {'4', 300.0 / 14.0}, {'4', 300.0 / 144.0}};
  for (const auto& k : keys) {
    chain_.FrequencyEdit.Type(std::string(1, k.key));
    EXPECT_EQ(chain_.HWavelengthMath.result, k.wavelength);
    EXPECT_EQ(chain_.EWavelengthMath.result, k.wavelength);
  }
  // Until Calculate is clicked again, a new frequency changes no shown distance.
  chain_.HPlaneBwEdit.Type("30");
  chain_.EPlaneBwEdit.Type("30");
  chain_.CalculateButton.Click();
  const Shown before = Results();
  chain_.FrequencyEdit.Retype("432");
  EXPECT_EQ(Results(), before);
  chain_.CalculateButton.Click();
  EXPECT_EQ(chain_.HMetersEdit.text(), "1.34156364762371");
}

TEST_F(Calculator, CalculatingTwiceShowsTheSameTexts) {
  Calculate("32", "30", "144");
  const Shown first = Results();
  chain_.CalculateButton.Click();
  EXPECT_EQ(Results(), first);
}

TEST_F(Calculator, ClearEmptiesTheSevenBoxesAndKeepsTheWavelength) {
  Calculate("32", "30", "144");
  const int frequencyChanges = chain_.FrequencyEdit.reportedChanges();
  chain_.ClearButton.Click();
  EXPECT_EQ(Results(), (Shown{"", "", "", ""}));
  EXPECT_EQ(chain_.HPlaneBwEdit.text(), "");
  EXPECT_EQ(chain_.EPlaneBwEdit.text(), "");
  EXPECT_EQ(chain_.FrequencyEdit.text(), "");
  // The frequency was emptied silently, so both wavelengths still hold 300/144.
  EXPECT_EQ(chain_.FrequencyEdit.reportedChanges(), frequencyChanges);
  EXPECT_EQ(chain_.HWavelengthMath.result, 300.0 / 144.0);
  EXPECT_FALSE(chain_.EWavelengthMath.errorFlag);

  // New beamwidths only: the frequency typed before the Clear still counts.
  chain_.HPlaneBwEdit.Type("30");
  chain_.EPlaneBwEdit.Type("32");
  chain_.CalculateButton.Click();
  EXPECT_EQ(Results(), (Shown{"4.02469094287112", "13.2043670330093", "3.77912008181594", "12.398688329225"}));
  EXPECT_EQ(chain_.FrequencyEdit.text(), "");

  // After a silent change the next typed key is reported again.
  chain_.ClearButton.Click();
  chain_.FrequencyEdit.Type("5");
  EXPECT_EQ(chain_.HWavelengthMath.result, 60.0);
}

TEST_F(Calculator, AFullCircleBeamwidthShowsAVeryLargeDistanceInFullDigits) {
  // The sine of 180 and 360 degrees is not exactly zero in floating point; its sign varies.
  Calculate("360", "720", "144");
  for (const std::string& text : {chain_.HMetersEdit.text(), chain_.EMetersEdit.text()}) {
    const std::size_t digitsFrom = text.rfind('-', 0) == 0 ? 1 : 0;
    EXPECT_GE(text.size() - digitsFrom, 16u) << text;
    EXPECT_EQ(text.find_first_not_of("0123456789", digitsFrom), std::string::npos) << text;
  }
}

TEST_F(Calculator, NoBoxEverShowsAnInfinityOrNan) {
  const struct {
    const char* hBeamwidth;
    const char* eBeamwidth;
    const char* frequency;
  } inputs[] = {
      {"1e999", "-1e999", "144"},    {"30", "30", "1e999"},    {"30", "30", "1e-320"},
      {"30", "1e-320", "1e-300"},    {"1e-320", "30", "144"},  {"360", "30", "1e-300"},
      {"0e99999", "30", "-1e999"},
  };
  for (const auto& in : inputs) {
    CalculationChain chain;
    chain.FrequencyEdit.Type(in.frequency);
    chain.HPlaneBwEdit.Type(in.hBeamwidth);
    chain.EPlaneBwEdit.Type(in.eBeamwidth);
    chain.CalculateButton.Click();
    for (const std::string& text : {chain.HMetersEdit.text(), chain.HFeetEdit.text(),
                                    chain.EMetersEdit.text(), chain.EFeetEdit.text()}) {
      EXPECT_EQ(text.find_first_of("INFA"), std::string::npos)
          << in.hBeamwidth << " / " << in.eBeamwidth << " at " << in.frequency << ": " << text.substr(0, 30);
    }
  }
}

}  // namespace
}  // namespace lobrin
