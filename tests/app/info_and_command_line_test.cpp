// The info box behind "Info", and what the command line switch "/ih" does.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calculator_fixture.h"
#include "window_search.h"

namespace lobrin::gui {
namespace {

constexpr DWORD kBoxTimeoutMs = 10000;

// The info text as the resource file holds it, up to its closing zero byte.
std::string InfoText() {
  std::string text;
  HANDLE file = CreateFileA(WindowsPathOf(LOBRIN_INFO_TEXT_PATH).c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  char buffer[4096];
  DWORD got = 0;
  while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    text.append(buffer, got);
  }
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
  }
  return text.substr(0, text.find('\0'));
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

  const std::string expected = InfoText();
  ASSERT_GT(expected.size(), 1000u) << "cannot read " << LOBRIN_INFO_TEXT_PATH;
  EXPECT_EQ(box.text, expected);

  ASSERT_TRUE(PressButton(box.window, IDOK, kBoxTimeoutMs));
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
    for (HWND window : TopLevelWindowsOf(processId)) {
      EXPECT_NE(TextOf(window), kCalculatorCaption);
    }
    ASSERT_TRUE(PressButton(box.window, IDOK, kBoxTimeoutMs));
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
