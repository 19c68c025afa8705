// What Lobrin Stack's window shows for typed texts: the strict reading (a
// comma as the decimal point, nothing lenient), the reasons of bad input, the
// same figures as lobrin-calc --stack and the same DL6WU digits as the
// calculator's window, and the text the Copy button puts on the clipboard.
#include "app/stack/stack_sheet.h"

#include <gtest/gtest.h>

#include <string>

#include "app/headless_calculator.h"

namespace lobrin::stackwin {
namespace {

InputTexts With(Input input, const std::string& text, InputTexts texts = WorkedExample()) {
  texts[static_cast<std::size_t>(input)] = text;
  return texts;
}

Sheet SheetOf(const InputTexts& texts) {
  StackSheet computer;
  Sheet sheet;
  computer.Compute(texts, sheet);
  return sheet;
}

TEST(StackSheetTest, WorkedExampleGivesLobrinCalcsRowAndTheCalculatorsDistances) {
  const Sheet sheet = SheetOf(WorkedExample());
  ASSERT_EQ(sheet.problem, "");
  // lobrin-calc --stack --csv 32 30 144, the README's worked example.
  const PlaneTexts& h = sheet.planes[kPlaneH];
  const PlaneTexts& e = sheet.planes[kPlaneE];
  EXPECT_EQ(h.dl6wuMetres, "3.77912008181594");
  EXPECT_EQ(e.dl6wuMetres, "4.02469094287112");
  EXPECT_EQ(h.spacingLambda, "1.8140");
  EXPECT_EQ(e.spacingLambda, "1.9319");
  EXPECT_EQ(h.dl6wuLambda, "1.8140");
  EXPECT_EQ(e.dl6wuLambda, "1.9319");
  EXPECT_EQ(e.lineGainDb, "2.918");
  EXPECT_EQ(h.lineGainDb, "2.926");
  EXPECT_EQ(sheet.stackGainDb, "5.848");
  EXPECT_EQ(e.beamwidthDeg, "13.46");
  EXPECT_EQ(h.beamwidthDeg, "14.34");
  EXPECT_EQ(e.lobeDb, "-9.988");
  EXPECT_EQ(e.lobeDeg, "23.97");
  EXPECT_EQ(h.lobeDb, "-10.052");
  EXPECT_EQ(h.lobeDeg, "25.55");
  EXPECT_EQ(sheet.spacingCue[kPlaneH], h.dl6wuMetres);
  EXPECT_EQ(sheet.spacingCue[kPlaneE], e.dl6wuMetres);
}

TEST(StackSheetTest, DistancesAreTheCalculatorWindowsDigitsForAnyAntenna) {
  struct Case {
    const char* h;
    const char* e;
    const char* f;
  };
  const Case cases[] = {
      {"32", "30", "144"}, {"7.3", "6.9", "1296"}, {"59.99", "61", "50.08"}, {"180", "3", "28"}};
  for (const Case& c : cases) {
    InputTexts texts = With(Input::kBeamwidthH, c.h);
    texts = With(Input::kBeamwidthE, c.e, texts);
    texts = With(Input::kFrequency, c.f, texts);
    const Sheet sheet = SheetOf(texts);
    const DistanceTexts shown = CalculateOnce(c.h, c.e, c.f);
    EXPECT_EQ(sheet.planes[kPlaneH].dl6wuMetres, shown.hMetres) << c.h << " " << c.e << " " << c.f;
    EXPECT_EQ(sheet.planes[kPlaneE].dl6wuMetres, shown.eMetres) << c.h << " " << c.e << " " << c.f;
  }
}

TEST(StackSheetTest, BadInputGivesItsShortReasonAndNoFigure) {
  struct Case {
    Input input;
    const char* text;
    const char* reason;
  };
  const Case cases[] = {
      {Input::kBeamwidthH, "", "H-plane beamwidth: type a number"},
      {Input::kBeamwidthH, "abc", "H-plane beamwidth: not a number"},
      // The calculator reads "3x2" as 32; here it is not a number.
      {Input::kBeamwidthE, "3x2", "E-plane beamwidth: not a number"},
      {Input::kBeamwidthE, "30,5,1", "E-plane beamwidth: not a number"},
      {Input::kBeamwidthH, "0", "H-plane: beamwidth above 0 and at most 180 degrees"},
      {Input::kBeamwidthE, "180.01", "E-plane: beamwidth above 0 and at most 180 degrees"},
      {Input::kFrequency, "-144", "Frequency: above 0 MHz"},
      {Input::kFrequency, "0", "Frequency: above 0 MHz"},
      {Input::kBaysH, "9", "Antennas in the H-plane: a whole number from 1 to 8"},
      {Input::kBaysE, "1.5", "Antennas in the E-plane: a whole number from 1 to 8"},
      {Input::kBaysE, "0", "Antennas in the E-plane: a whole number from 1 to 8"},
      {Input::kSpacingH, "500", "H-plane: spacing above 0 and at most 100 wavelengths"},
      {Input::kSpacingE, "0", "E-plane: spacing above 0 and at most 100 wavelengths"},
      {Input::kSpacingE, "1e999", "Spacing in the E-plane: not a number"},
      {Input::kSidelobes, "61", "sidelobe level from 0 to 60 dB"},
      {Input::kSidelobes, "-1", "sidelobe level from 0 to 60 dB"},
  };
  StackSheet computer;
  for (const Case& c : cases) {
    Sheet sheet;
    computer.Compute(With(c.input, c.text), sheet);
    EXPECT_EQ(sheet.problem, c.reason) << c.text;
    EXPECT_EQ(sheet.stackGainDb, "") << c.text;
    EXPECT_EQ(sheet.planes[kPlaneH].lineGainDb, "") << c.text;
    chart::Figures figures;
    EXPECT_FALSE(computer.ChartFigures(figures)) << c.text;
  }
}

TEST(StackSheetTest, CommaIsTheDecimalPointAndSpacesAroundAreIgnored) {
  struct Case {
    Input input;
    const char* typed;
    const char* same;
  };
  const Case cases[] = {
      {Input::kBeamwidthH, "30,5", "30.5"},
      {Input::kFrequency, " 432,1 ", "432.1"},
      {Input::kSpacingE, "3,2", "3.2"},
      {Input::kSidelobes, "20,5", "20.5"},
  };
  for (const Case& c : cases) {
    const Sheet typed = SheetOf(With(c.input, c.typed));
    const Sheet same = SheetOf(With(c.input, c.same));
    EXPECT_EQ(typed.problem, "") << c.typed;
    EXPECT_EQ(typed.stackGainDb, same.stackGainDb) << c.typed;
    EXPECT_EQ(typed.planes[kPlaneH].dl6wuMetres, same.planes[kPlaneH].dl6wuMetres) << c.typed;
    EXPECT_EQ(typed.planes[kPlaneE].spacingLambda, same.planes[kPlaneE].spacingLambda) << c.typed;
  }
}

TEST(StackSheetTest, GivenSpacingIsUsedAndTheDistanceStillShown) {
  const Sheet sheet = SheetOf(With(Input::kSpacingE, "2.08333333333333"));  // 1 wavelength at 144 MHz
  ASSERT_EQ(sheet.problem, "");
  EXPECT_EQ(sheet.planes[kPlaneE].spacingLambda, "1.0000");
  EXPECT_EQ(sheet.planes[kPlaneE].dl6wuMetres, "4.02469094287112");
  EXPECT_EQ(sheet.planes[kPlaneH].spacingLambda, "1.8140");
}

TEST(StackSheetTest, ChartFiguresMarkTheDistancesAndTheChosenSpacings) {
  StackSheet computer;
  Sheet sheet;
  computer.Compute(With(Input::kSpacingH, "2.08333333333333"), sheet);
  chart::Figures figures;
  ASSERT_TRUE(computer.ChartFigures(figures));
  EXPECT_NEAR(figures.dl6wuELambda, 1.9319, 1e-4);
  EXPECT_NEAR(figures.dl6wuHLambda, 1.8140, 1e-4);
  EXPECT_NEAR(figures.chosenHLambda, 1.0, 1e-4);
  EXPECT_NEAR(figures.chosenELambda, 1.9319, 1e-4);
  EXPECT_EQ(figures.title, "2 x 2 stack at 144 MHz");
  EXPECT_FALSE(figures.sweep.empty());
}

TEST(StackSheetTest, ClipboardTextHoldsEveryInputAndResult) {
  const InputTexts texts = WorkedExample();
  const std::string text = ClipboardText(texts, SheetOf(texts));
  const char* lines[] = {
      "Lobrin Stack\r\n",
      "H-plane beamwidth: 32 deg\r\n",
      "Frequency: 144 MHz\r\n",
      "Spacing in the E-plane: DL6WU distance\r\n",
      "Sidelobe level: none\r\n",
      "H-plane DL6WU distance: 3.77912008181594 m\r\n",
      "E-plane strongest lobe: -9.988 dB\r\n",
      "Stacking gain over one antenna: 5.848 dB\r\n",
  };
  for (const char* line : lines) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
  const InputTexts bad = With(Input::kBaysH, "12");
  EXPECT_NE(ClipboardText(bad, SheetOf(bad)).find("Not computed: Antennas in the H-plane"),
            std::string::npos);
}

}  // namespace
}  // namespace lobrin::stackwin
