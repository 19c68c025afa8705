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

struct InfoLine {
  int leadingSpaces;
  const char* text;
  int trailingSpaces;
};

// Lines 2 to 40 of the info text.
const InfoLine kInfoLines[] = {
    {17, "Version 1.05", 0},
    {17, "July 2014", 0},
    {17, "", 0},
    {5, "This program help you to calculate the", 1},
    {5, "distance between antennas in stack array", 1},
    {5, "syatems. It's very important to know the", 1},
    {5, "correct distance to have a good antenna", 1},
    {5, "stack array system with good performance.", 0},
    {5, "Stacking two indentical antennas can result", 1},
    {5, "2.5 - 2.9 dB increase of forward gain but", 1},
    {5, "if it done correctly.", 0},
    {5, "", 0},
    {5, "The DL6WU formula for long yagis:", 0},
    {5, "", 0},
    {5, "D = W/(2*(sin B/2))", 0},
    {5, "", 0},
    {5, "Where is:", 1},
    {5, "D - stacking distance in meters", 0},
    {5, "W - wavelength in meters", 0},
    {5, "B - beamwidth in -3 dB points", 1},
    {5, "", 0},
    {5, "All that you need to know is a frequency", 1},
    {5, "and beamwidth in -3 dB points for each plane", 1},
    {5, "of the the main lobby of single antenna.", 0},
    {5, "", 0},
    {5, "E-plane is Azimuth (horizontal)", 0},
    {5, "H-plane is Elevation (vertical)", 0},
    {5, "The H-plane stacking distance is 88-92% of", 0},
    {5, "E-plane distance.", 0},
    {5, "", 0},
    {5, "Use this program to calculate the stacking", 1},
    {5, "distance only for the similar antennas with", 0},
    {5, "same band and with boom length at least two", 0},
    {5, "wavelengths, another words for the long yagis.", 0},
    {5, "For example:", 1},
    {6, "- two 18 elements yagi 432 MHz or", 0},
    {6, "- four 10 elements yagi 144 MHz or", 0},
    {6, "- two 22 elements yagi 1296 MHz", 0},
    {4, "", 0},
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

bool HasWindowCaptioned(DWORD processId, const std::string& caption) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (caption == text) return true;
  }
  return false;
}

using InfoTest = CalculatorTest;

TEST_F(InfoTest, ShowsTheInfoTextInAModalBox) {
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
  for (int i = 0; i < 39; ++i) {
    const InfoLine& expected = kInfoLines[i];
    EXPECT_EQ(lines[i + 1], std::string(expected.leadingSpaces, ' ') + expected.text +
                                std::string(expected.trailingSpaces, ' '))
        << "line " << i + 2;
  }
  EXPECT_NE(lines.back().find("2014"), std::string::npos) << lines.back();

  ASSERT_TRUE(PressOk(box.window, kBoxTimeoutMs));
  EXPECT_TRUE(IsWindowEnabled(calc().MainWindow()));
}

TEST_F(InfoTest, CalculatorKeepsWorkingAfterTheBox) {
  ASSERT_TRUE(calc().Type(Edit::Frequency, "144"));
  ASSERT_TRUE(calc().Type(Edit::HPlaneBw, "32"));
  const EditTexts before = calc().Texts();

  ASSERT_TRUE(calc().ClickLater(Button::Info));
  const MessageBoxView box = WaitForMessageBox(calc().Process().Id(), kBoxTimeoutMs);
  ASSERT_NE(box.window, nullptr);
  ASSERT_TRUE(PressOk(box.window, kBoxTimeoutMs));
  EXPECT_EQ(calc().Texts(), before) << "Info changed a box";

  ASSERT_TRUE(calc().Type(Edit::EPlaneBw, "30"));
  ASSERT_TRUE(calc().Click(Button::Calculate));
  EXPECT_EQ(calc().Text(Edit::HMeters), "3.77912008181594");
  EXPECT_EQ(calc().Text(Edit::EFeet), "13.2043670330093");
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
    EXPECT_FALSE(HasWindowCaptioned(processId, kCalculatorCaption));
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
