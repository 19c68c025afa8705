// The calculator's own graph tables, built with windowless boxes: the exact
// texts of one calculation. Sequences of entries and clicks are played on the
// window itself in tests/app.
#include <gtest/gtest.h>

#include <string>

#include "app/headless_calculator.h"

namespace lobrin {
namespace {

struct Example {
  std::string hBeamwidth, eBeamwidth, frequency;
  DistanceTexts shown;
};

const Example kExamples[] = {
    {"32", "30", "144", {"3.77912008181594", "12.398688329225", "4.02469094287112", "13.2043670330093"}},
    {"30.2", "28.5", "432", {"1.33288373407207", "4.37297827009301", "1.41059344747959", "4.62793140622894"}},
    {"22", "22", "1296", {"0.60657905835276", "1.99008883780607", "0.60657905835276", "1.99008883780607"}},
    {"60", "60", "50", {"6", "19.68504", "6", "19.68504"}},
    {"180", "180", "144", {"1.04166666666667", "3.41754166666668", "1.04166666666667", "3.41754166666668"}},
    {"-30", "30", "144", {"-4.02469094287112", "-13.2043670330093", "4.02469094287112", "13.2043670330093"}},
    {"30,5", "30", "144", {"2.25591726062521", "7.40130358534962", "4.02469094287112", "13.2043670330093"}},
    // Texts read leniently, as typed into the window.
    {"30deg",
     "+30",
     "1.44e2",
     {"4.02469094287112", "13.2043670330093", "4.02469094287112", "13.2043670330093"}},
    // A plane whose beamwidth gives no divisor, or no finite half angle, stays empty.
    {"0", "30", "144", {"", "", "4.02469094287112", "13.2043670330093"}},
    {"32", "deg", "144", {"3.77912008181594", "12.398688329225", "", ""}},
    {"1e999", "-1e999", "144", {"", "", "", ""}},
    {std::string(400, '9'), "30", "144", {"", "", "4.02469094287112", "13.2043670330093"}},
    // No wavelength: the distance is 0 and so are the feet.
    {"32", "30", "", {"0", "0", "0", "0"}},
    {"32", "30", "0", {"0", "0", "0", "0"}},
    {"32", "30", "1e999", {"0", "0", "0", "0"}},
};

TEST(CalculateOnce, WorkedExamplesShowTheseTexts) {
  for (const Example& row : kExamples) {
    const DistanceTexts shown = CalculateOnce(row.hBeamwidth, row.eBeamwidth, row.frequency);
    EXPECT_EQ(shown, row.shown) << row.hBeamwidth << " / " << row.eBeamwidth << " at " << row.frequency
                                << ": " << shown.hMetres << " " << shown.hFeet << " " << shown.eMetres << " "
                                << shown.eFeet;
  }
  EXPECT_FALSE(LinksEnabled()) << "link traffic is put back as it was";
}

// One graph reset between calculations shows what a fresh graph shows, whatever
// the calculation before left behind: boxes written or left empty, arithmetic
// elements on their error path or not. Both orders put each row after a
// different predecessor.
TEST(CalculateOnce, AResetGraphShowsWhatAFreshOneShows) {
  HeadlessCalculator reused;
  DistanceTexts shown;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < std::size(kExamples); ++i) {
      const Example& row = kExamples[pass == 0 ? i : std::size(kExamples) - 1 - i];
      reused.Calculate(row.hBeamwidth, row.eBeamwidth, row.frequency, shown);
      EXPECT_EQ(shown, row.shown) << "pass " << pass << ": " << row.hBeamwidth << " / " << row.eBeamwidth
                                  << " at " << row.frequency;
    }
  }
}

}  // namespace
}  // namespace lobrin
