// The info box behind "Info", and what the command line switch "/ih" does.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "calculator_fixture.h"
#include "message_box.h"
#include "window_search.h"

namespace lobrin::gui {
namespace {

constexpr DWORD kBoxTimeoutMs = 10000;

// Lines 2 to 40 of the info text, blanks included.
const char* const kInfoLines[] = {
    "                 Version 1.05",
    "                 July 2014",
    "                 ",
    "     This program help you to calculate the ",
    "     distance between antennas in stack array ",
    "     syatems. It's very important to know the ",
    "     correct distance to have a good antenna ",
    "     stack array system with good performance.",
    "     Stacking two indentical antennas can result ",
    "     2.5 - 2.9 dB increase of forward gain but ",
    "     if it done correctly.",
    "     ",
    "     The DL6WU formula for long yagis:",
    "     ",
    "     D = W/(2*(sin B/2))",
    "     ",
    "     Where is: ",
    "     D - stacking distance in meters",
    "     W - wavelength in meters",
    "     B - beamwidth in -3 dB points ",
    "     ",
    "     All that you need to know is a frequency ",
    "     and beamwidth in -3 dB points for each plane ",
    "     of the the main lobby of single antenna.",
    "     ",
    "     E-plane is Azimuth (horizontal)",
    "     H-plane is Elevation (vertical)",
    "     The H-plane stacking distance is 88-92% of",
    "     E-plane distance.",
    "     ",
    "     Use this program to calculate the stacking ",
    "     distance only for the similar antennas with",
    "     same band and with boom length at least two",
    "     wavelengths, another words for the long yagis.",
    "     For example: ",
    "      - two 18 elements yagi 432 MHz or",
    "      - four 10 elements yagi 144 MHz or",
    "      - two 22 elements yagi 1296 MHz",
    "    ",
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

using InfoTest = CalculatorTest;

TEST_F(InfoTest, ShowsTheInfoTextInAModalBoxAndChangesNoBox) {
  ASSERT_TRUE(calc().Type(Edit::Frequency, "144"));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, "32"));
  const EditTexts before = calc().Texts();
  ASSERT_TRUE(calc().ClickLater(Button::Info));
  const MessageBoxView box = WaitForMessageBox(calc().Process().Id(), kBoxTimeoutMs);
  ASSERT_NE(box.window, nullptr) << "no message box appeared";
  EXPECT_EQ(box.caption, "");
  EXPECT_EQ(box.visibleButtons, 1);
  EXPECT_FALSE(IsWindowEnabled(calc().MainWindow())) << "the box is not modal";

  const std::vector<std::string> lines = SplitLines(box.text);
  EXPECT_EQ(lines.size(), 48u);
  ASSERT_GE(lines.size(), 41u);
  EXPECT_EQ(lines[0].compare(0, 4, "    "), 0) << lines[0];
  EXPECT_NE(lines[0].find("Lobrin"), std::string::npos) << lines[0];
  for (int i = 0; i < 39; ++i) EXPECT_EQ(lines[i + 1], kInfoLines[i]) << "line " << i + 2;
  EXPECT_NE(lines.back().find("2014"), std::string::npos) << lines.back();

  ASSERT_TRUE(PressOk(box.window, kBoxTimeoutMs));
  EXPECT_TRUE(IsWindowEnabled(calc().MainWindow()));
  EXPECT_EQ(calc().Texts(), before) << "Info changed a box";
  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, "30"));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  EXPECT_EQ(calc().Text(Edit::EFeet), "13.2043670330093") << "the calculator stopped working";
}

struct CommandLineCase {
  const char* name;
  const char* arguments;
  bool showsGeneratorBox;
};

// Names the case in gtest's messages.
void PrintTo(const CommandLineCase& value, std::ostream* out) { *out << value.name; }

const CommandLineCase kCommandLines[] = {
    {"Switch", "/ih", true},
    {"QuotedSwitch", "\"/ih\"", true},
    {"SwitchWithMoreArguments", "/ih more", true},
    {"NoArgument", "", false},
    {"Capitals", "/IH", false},
    {"LongerWord", "/ih2", false},
    {"QuotedWithBlank", "\"/ih \"", false},
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, StartsTheCalculatorOrShowsOnlyTheGeneratorBox) {
  Calculator calculator(GetParam().arguments);
  ASSERT_TRUE(calculator.Error().empty()) << calculator.Error();
  const DWORD processId = calculator.Process().Id();
  DWORD exitCode = 1;

  if (GetParam().showsGeneratorBox) {
    const MessageBoxView box = WaitForMessageBox(processId, kBoxTimeoutMs);
    ASSERT_NE(box.window, nullptr) << "no message box appeared";
    EXPECT_EQ(box.caption, "Kivra Info");
    EXPECT_EQ(box.text, "\xD1\xE4\xE5\xEB\xE0\xED\xEE \xE2 Kivra.");
    EXPECT_EQ(box.visibleButtons, 1);
    for (HWND window : TopLevelWindowsOf(processId)) EXPECT_NE(TextOf(window), kCalculatorCaption);
    ASSERT_TRUE(PressOk(box.window, kBoxTimeoutMs));
    ASSERT_TRUE(calculator.Process().WaitForExit(kBoxTimeoutMs, &exitCode))
        << "the program did not end after OK";
  } else {
    ASSERT_TRUE(calculator.WaitForWindow()) << calculator.Error();
    ASSERT_TRUE(calculator.Close(&exitCode)) << "the calculator did not end after WM_CLOSE";
  }
  EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineTest, ::testing::ValuesIn(kCommandLines),
                         [](const ::testing::TestParamInfo<CommandLineCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace lobrin::gui
