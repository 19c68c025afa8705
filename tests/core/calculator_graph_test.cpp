// The calculator's own graph tables, built with windowless boxes: exact texts,
// intermediate values, and what the boxes show after sequences of entries and
// clicks. The window is checked for the same in tests/app.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/headless_calculator.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace graph;

TEST(CalculateOnce, WorkedExamplesShowTheseTexts) {
  const struct {
    std::string hBeamwidth, eBeamwidth, frequency;
    DistanceTexts shown;
  } rows[] = {
      {"32", "30", "144", {"3.77912008181594", "12.398688329225", "4.02469094287112", "13.2043670330093"}},
      {"30.2", "28.5", "432", {"1.33288373407207", "4.37297827009301", "1.41059344747959", "4.62793140622894"}},
      {"22", "22", "1296", {"0.60657905835276", "1.99008883780607", "0.60657905835276", "1.99008883780607"}},
      {"60", "60", "50", {"6", "19.68504", "6", "19.68504"}},
      {"180", "180", "144", {"1.04166666666667", "3.41754166666668", "1.04166666666667", "3.41754166666668"}},
      {"-30", "30", "144", {"-4.02469094287112", "-13.2043670330093", "4.02469094287112", "13.2043670330093"}},
      {"30,5", "30", "144", {"2.25591726062521", "7.40130358534962", "4.02469094287112", "13.2043670330093"}},
      // Texts read leniently, as typed into the window.
      {"30deg", "+30", "1.44e2", {"4.02469094287112", "13.2043670330093", "4.02469094287112", "13.2043670330093"}},
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
  for (const auto& row : rows) {
    const DistanceTexts shown = CalculateOnce(row.hBeamwidth, row.eBeamwidth, row.frequency);
    EXPECT_EQ(shown, row.shown) << row.hBeamwidth << " / " << row.eBeamwidth << " at " << row.frequency << ": "
                                << shown.hMetres << " " << shown.hFeet << " " << shown.eMetres << " "
                                << shown.eFeet;
  }
  EXPECT_FALSE(LinksEnabled()) << "link traffic is put back as it was";
}

// Sequences of entries and clicks, and all seven boxes after them.
enum class Act { kPaste, kClick, kCalculate };
struct Step {
  Act act;
  Id element;
  // kPaste: the text; kCalculate: frequency, H bw and E bw, pasted before the click.
  std::array<std::string, 3> texts;
};
Step Paste(Id box, const std::string& text) { return {Act::kPaste, box, {text}}; }
Step Click(Id button) { return {Act::kClick, button, {}}; }
Step Calculate(const char* frequency, const char* hBw, const char* eBw) {
  return {Act::kCalculate, CalculateButton, {frequency, hBw, eBw}};
}

const char kH30m[] = "4.02469094287112";
const char kH30ft[] = "13.2043670330093";
const char kE30At432m[] = "1.34156364762371";
const char kE30At432ft[] = "4.40145567766977";

TEST(HeadlessCalculator, ShowsWhatTheWindowShows) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::array<std::string, 7> shown;  // H bw, E bw, frequency, H m, H ft, E m, E ft
  } scenarios[] = {
      {"an unreadable beamwidth after Clear leaves its plane empty",
       {Calculate("144", "30", "30"), Click(ClearButton), Calculate("432", "1e999", "30")},
       {"1e999", "30", "432", "", "", kE30At432m, kE30At432ft}},
      {"an unreadable H-plane beamwidth keeps its plane's earlier texts",
       {Calculate("144", "30", "30"), Calculate("432", "-1e999", "30")},
       {"-1e999", "30", "432", kH30m, kH30ft, kE30At432m, kE30At432ft}},
      {"an unreadable E-plane beamwidth keeps its plane's earlier texts",
       {Calculate("432", "30", "30"), Calculate("144", "30", "1e400")},
       {"30", "1e400", "144", kH30m, kH30ft, kE30At432m, kE30At432ft}},
      {"Clear keeps the wavelength",
       {Calculate("432", "30", "30"), Click(ClearButton), Paste(HPlaneBwEdit, "30"), Paste(EPlaneBwEdit, "30"),
        Click(CalculateButton)},
       {"30", "30", "", kE30At432m, kE30At432ft, kE30At432m, kE30At432ft}},
      {"Info changes nothing",
       {Calculate("144", "30", "30"), Click(InfoButton)},
       {"30", "30", "144", kH30m, kH30ft, kH30m, kH30ft}},
      {"metres typed by hand give the feet; unreadable metres no feet",
       {Paste(HMetersEdit, "4.02469094287112"), Paste(EMetersEdit, "1e999")},
       {"", "", "", kH30m, kH30ft, "1e999", ""}},
  };
  for (const auto& scenario : scenarios) {
    HeadlessCalculator calculator;
    testing::LinkTrafficOn traffic;
    for (const Step& step : scenario.steps) {
      if (step.act == Act::kPaste) calculator.Box(step.element).Paste(step.texts[0]);
      if (step.act == Act::kCalculate) {
        const Id boxes[] = {FrequencyEdit, HPlaneBwEdit, EPlaneBwEdit};
        for (int i = 0; i < 3; ++i) calculator.Box(boxes[i]).Paste(step.texts[i]);
      }
      if (step.act != Act::kPaste) calculator.Click(step.element);
    }
    std::array<std::string, 7> shown;
    const Id boxes[] = {HPlaneBwEdit, EPlaneBwEdit, FrequencyEdit, HMetersEdit, HFeetEdit, EMetersEdit, EFeetEdit};
    for (int i = 0; i < 7; ++i) shown[i] = calculator.Box(boxes[i]).text();
    EXPECT_EQ(shown, scenario.shown) << scenario.name;
  }
}

}  // namespace
}  // namespace lobrin
