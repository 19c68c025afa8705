// Texts no number reading is made for, typed into every box: the program
// must keep answering, must not fault, and must never show INF or NAN.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>

#include "calculator_fixture.h"
#include "window_search.h"

namespace lobrin::gui {
namespace {

struct BadInput {
  const char* name;
  std::string text;
};

// Names the case in gtest's messages.
void PrintTo(const BadInput& value, std::ostream* out) { *out << value.name; }

const BadInput kBadInputs[] = {
    {"HugeExponent", "1e999"},
    {"TinyExponent", "1e-999"},
    {"LargestExponent", "1e2147483647"},
    {"NegativeHugeExponent", "-1e999"},
    {"NearTheLargestDouble", "1.7e308"},
    {"SmallestDenormal", "4.9e-324"},
    {"FiveHundredDigits", std::string(500, '9')},
    {"FiveHundredDecimals", "0." + std::string(498, '0') + "1"},
    {"Letters", "abcXYZ"},
    {"ControlCharacters", "1\x01\x7F\x1B" "2"},
    {"BytesAbove127", "\x80\xA0\xE9\xFF" "3"},
    {"Punctuation", "+-.,.e-e+"},
};

bool ShowsInfinityOrNan(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

class SaneCalculatorTest : public CalculatorTest {
 protected:
  // The program answers, shows no error box, and no box holds INF or NAN.
  void ExpectSane(const char* after) {
    SCOPED_TRACE(after);
    ASSERT_TRUE(calc().Responsive()) << "the program no longer answers";
    for (HWND window : TopLevelWindowsOf(calc().Process().Id())) {
      EXPECT_FALSE(IsWindowVisible(window) && ClassOf(window) == "#32770")
          << "a message box appeared: " << TextOf(window);
    }
    for (const std::string& text : calc().Texts()) {
      EXPECT_FALSE(ShowsInfinityOrNan(text)) << text;
    }
  }
};

class BadInputTest : public SaneCalculatorTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadInputTest, EveryBoxStaysSane) {
  const std::string& bad = GetParam().text;

  ASSERT_TRUE(calc().Type(Edit::Frequency, bad));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, "32"));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, "30"));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  ExpectSane("as frequency");

  ASSERT_TRUE(calc().Click(Button::Clear));
  ASSERT_TRUE(calc().Type(Edit::Frequency, "144"));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, bad));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, bad));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  ExpectSane("as beamwidths");

  ASSERT_TRUE(calc().Retype(Edit::HMeters, bad));
  ASSERT_TRUE(calc().Retype(Edit::EMeters, bad));
  ExpectSane("as metres");

  ASSERT_TRUE(calc().Retype(Edit::HFeet, bad));
  ASSERT_TRUE(calc().Retype(Edit::EFeet, bad));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  ExpectSane("as feet, then Calculate");

  ASSERT_TRUE(calc().Click(Button::Clear));
  ASSERT_TRUE(calc().Type(Edit::Frequency, "144"));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, "32"));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, "30"));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  ExpectSane("after Clear");
  EXPECT_EQ(calc().Text(Edit::HMeters), "3.77912008181594") << "the calculator stopped working";
}

INSTANTIATE_TEST_SUITE_P(Texts, BadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const ::testing::TestParamInfo<BadInput>& info) {
                           return std::string(info.param.name);
                         });

// Inputs whose quotient leaves the range of a double: a frequency so small
// that the wavelength overflows, a beamwidth so small that the distance does.
struct OverflowCase {
  const char* name;
  const char* frequency;
  const char* beamwidth;
};

// Names the case in gtest's messages.
void PrintTo(const OverflowCase& value, std::ostream* out) { *out << value.name; }

const OverflowCase kOverflows[] = {
    {"WavelengthOverflows", "1e-307", "30"},
    {"DistanceOverflows", "144", "1e-306"},
    {"DenormalFrequency", "1e-320", "30"},
};

class OverflowTest : public SaneCalculatorTest,
                     public ::testing::WithParamInterface<OverflowCase> {};

TEST_P(OverflowTest, ResultsStaySane) {
  const OverflowCase& overflow = GetParam();
  ASSERT_TRUE(calc().Type(Edit::Frequency, overflow.frequency));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, overflow.beamwidth));
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, overflow.beamwidth));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  ExpectSane("Calculate");
}

INSTANTIATE_TEST_SUITE_P(Quotients, OverflowTest, ::testing::ValuesIn(kOverflows),
                         [](const ::testing::TestParamInfo<OverflowCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace lobrin::gui
