// Texts no number reading is made for, typed into every box: the program
// must keep answering, must not fault, and must never show INF or NAN.

#include <gtest/gtest.h>

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
    {"ControlCharacters",
     "1\x01\x7F\x1B"
     "2"},
    {"BytesAbove127",
     "\x80\xA0\xE9\xFF"
     "3"},
    {"Punctuation", "+-.,.e-e+"},
    // As frequency the wavelength overflows; as beamwidth the distance, or the feet.
    {"WavelengthOrDistanceOverflows", "1e-307"},
    {"WavelengthOrFeetOverflow", "1e-306"},
    {"DenormalFrequency", "1e-320"},
};

class BadInputTest : public CalculatorTest, public ::testing::WithParamInterface<BadInput> {
 protected:
  // The program answers, shows no error box, and no box holds INF or NAN.
  void ExpectSane(const char* after) {
    SCOPED_TRACE(after);
    ASSERT_TRUE(calc().Responsive()) << "the program no longer answers";
    for (HWND window : TopLevelWindowsOf(calc().Process().Id())) {
      EXPECT_FALSE(IsWindowVisible(window) && ClassOf(window) == "#32770")
          << "a message box appeared: " << TextOf(window);
    }
    for (std::string text : calc().Texts()) {
      for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
      EXPECT_TRUE(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos) << text;
    }
  }
};

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

}  // namespace
}  // namespace lobrin::gui
