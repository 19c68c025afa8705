#include "elements/win/main_form.h"

#include <gtest/gtest.h>

#include "elements/win/secondary_forms.h"
#include "tests/support/form_fixture.h"
#include "tests/support/probe_element.h"
#include "toolkit/application.h"
#include "toolkit/ini_file.h"
#include "toolkit/lists.h"

namespace lobrin {
namespace {

using namespace testing;

const char kTestKeyRoot[] = "Software\\LobrinElementTests";
const char kTestIniFile[] = "lobrin_element_tests.ini";

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitState();
    InitMainFormModule();
    ForgetStoredPositions();
  }
  void TearDown() override {
    ForgetForms();
    ForgetStoredPositions();
  }
  // Removes what a test may have stored: its registry keys (an ini key too, had it
  // been taken for a registry key) and its ini file.
  static void ForgetStoredPositions() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKeyRoot);
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kTestIniFile).c_str());
    DeleteFileA((ProgramDirectory() + kTestIniFile).c_str());
  }
  // A main form set up the way the calculator's is, its events linked to probes, plus what `configure`
  // writes.
  template <class Configure = void (*)(THIMainForm&)>
  THIMainForm& MakeForm(Configure configure = [](THIMainForm&) {}) {
    forms_.push_back(std::make_unique<THIMainForm>());
    THIMainForm& form = *forms_.back();
    form.Create(nullptr);
    form.width = 654;
    form.height = 407;
    form.font = TFontRec{"MS Sans Serif", 8, 0, 0, 1};
    form.alphaBlend = 255;
    form.SetCaption("Lobrin test");
    form.SetBorderStyle(1);
    form.SetIcon(nullptr);
    form.SetAppToolWindow(0);
    const std::pair<THI_Event THIMainForm::*, const char*> events[] = {
        {&THIMainForm::onStart, "start"},
        {&THIMainForm::onShow, "show"},
        {&THIMainForm::onClose, "close"},
        {&THIMainForm::onActivate, "activate"},
        {&THIMainForm::onDeactivate, "deactivate"}};
    for (const auto& [event, name] : events) {
      probes_.push_back(std::make_unique<ProbeElement>(log_, name));
      form.*event = MakeLink<&ProbeElement::recordPoint>(probes_.back().get());
    }
    configure(form);
    form.Init();
    return form;
  }
  // The program's start-up step; the log starts empty after it.
  void Start() {
    EnableLinks();
    RunStartupCallbacks();
    log_.clear();
  }
  void ForgetForms() {
    forms_.clear();
    ResetToolkitState();
  }
  static HWND WindowOf(THIMainForm& form) { return form.control->handle; }
  static bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  }

  CallLog log_;
  std::vector<std::unique_ptr<ProbeElement>> probes_;
  std::vector<std::unique_ptr<THIMainForm>> forms_;
};

TEST_F(MainFormTest, StaysHiddenUntilTheStartRoutineRuns) {
  THIMainForm& form = MakeForm();
  ASSERT_TRUE(form.ownsAppWindow);
  EnableLinks();
  EXPECT_FALSE(IsWindowVisible(WindowOf(form))) << "links on alone shows nothing";
  RunStartupCallbacks();
  EXPECT_TRUE(IsWindowVisible(WindowOf(form)));
  ASSERT_GE(log_.size(), 2u);  // showing may also activate it
  EXPECT_EQ(CallLog(log_.begin(), log_.begin() + 2), (CallLog{"start:NULL:", "show:NULL:"}));
  EXPECT_EQ(GetControlText(AppWindow()), "Lobrin test");
}

TEST_F(MainFormTest, AFormFreedBeforeTheStartRoutineIsNotStarted) {
  MakeForm();
  ForgetForms();
  EnableLinks();
  RunStartupCallbacks();  // must not touch the freed form
  EXPECT_TRUE(log_.empty());
}

// The close guard is asked first; an Integer other than 0 keeps the form open.
// A form that closes fires onClose once, switches link traffic off and ends the
// application; nothing reaches a handler after that, not even an activation.
TEST_F(MainFormTest, ClosingAndItsGuardThenActivation) {
  const struct {
    const char* guard;    // nullptr: no guard linked
    std::int32_t answer;  // for "Integer"
    bool closes;
  } rows[] = {{nullptr, 0, true}, {"Integer", 1, false}, {"Integer", 0, true}, {"NULL", 0, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << (row.guard ? row.guard : "no guard") << " " << row.answer);
    ProbeElement guard(log_, "guard");
    if (row.guard != nullptr && std::string(row.guard) == "Integer") {
      SetInteger(guard.answer, row.answer);
    }
    THIMainForm& form = MakeForm([&](THIMainForm& f) {
      if (row.guard != nullptr) {
        f.closeGuardLink = MakeLink<&ProbeElement::answerPoint>(&guard);
      }
    });
    Start();
    SendMessageA(WindowOf(form), WM_CLOSE, 0, 0);
    // Deactivated while minimised: the high word says so, it is still a deactivation.
    for (WPARAM state : {WPARAM{WA_ACTIVE}, WPARAM{WA_INACTIVE}, MAKEWPARAM(WA_INACTIVE, 1)}) {
      SendMessageA(WindowOf(form), WM_ACTIVATE, state, 0);
    }
    CallLog expected = row.guard != nullptr ? CallLog{"guard:NULL:"} : CallLog{};
    if (row.closes) {
      expected.push_back("close:NULL:");
    } else {
      expected.insert(expected.end(), {"activate:NULL:", "deactivate:NULL:", "deactivate:NULL:"});
    }
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(LinksEnabled(), !row.closes);
    EXPECT_EQ(QuitPosted(), row.closes);
    EXPECT_TRUE(row.closes || IsWindowVisible(WindowOf(form))) << "a form kept open stays visible";
    ForgetForms();
  }
}

// A key that holds ".ini\" (in that case) names an ini file in the program's
// folder; any other key names a registry key.
TEST_F(MainFormTest, PositionRoundTripsThroughTheRegistryOrTheIniFile) {
  const struct {
    std::string key;
    bool ini;
  } rows[] = {{"LobrinElementTests\\Main", false},
              {std::string(kTestIniFile) + "\\Main", true},
              {"LobrinElementTests\\Tests.INI\\Main", false}};
  for (const auto& row : rows) {
    // Named copies: C++17 lambdas cannot capture a structured binding.
    const std::string& key = row.key;
    const bool ini = row.ini;
    THIMainForm& first = MakeForm([&](THIMainForm& f) { f.positionKey = key; });
    Start();
    SetControlPosition(first.control, 37, 41);
    SetControlSize(first.control, 300, 200);
    SendMessageA(WindowOf(first), WM_CLOSE, 0, 0);
    HKEY stored = nullptr;
    EXPECT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + key).c_str(), 0, KEY_READ, &stored) == ERROR_SUCCESS,
        !ini)
        << key;
    RegCloseKey(stored);
    EXPECT_EQ(GetFileAttributesA((ProgramDirectory() + kTestIniFile).c_str()) != INVALID_FILE_ATTRIBUTES, ini)
        << key;
    ForgetForms();
    THIMainForm& second = MakeForm([&](THIMainForm& f) { f.positionKey = key; });
    Start();  // the first show loads the position
    TControl* c = second.control;
    EXPECT_EQ((std::vector<int>{ControlLeft(c), ControlTop(c), ControlWidth(c), ControlHeight(c)}),
              (std::vector<int>{37, 41, 300, 200}))
        << key;
    ForgetForms();
    ForgetStoredPositions();
  }
}

TEST_F(MainFormTest, RegistryValueLongerThanFourBytesIsNotApplied) {
  const char key[] = "Software\\LobrinElementTests\\Main";
  const DWORD width = 320;
  const BYTE eightBytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  RegSetKeyValueA(HKEY_CURRENT_USER, key, "Top", REG_BINARY, eightBytes, sizeof eightBytes);
  RegSetKeyValueA(HKEY_CURRENT_USER, key, "Width", REG_DWORD, &width, 4);
  THIMainForm& form = MakeForm([](THIMainForm& f) {
    f.positionKey = "LobrinElementTests\\Main";
    f.top = 12;
  });
  Start();
  EXPECT_EQ(ControlTop(form.control), 12) << "an 8-byte Top is left alone";
  EXPECT_EQ(ControlWidth(form.control), 320) << "the value after a long one is still read";
}

TEST_F(MainFormTest, ASecondFormIsASecondaryFormThatHidesOnClose) {
  THIMainForm& main = MakeForm();
  THIMainForm& second = MakeForm();
  EXPECT_FALSE(second.ownsAppWindow);
  EXPECT_EQ(SecondaryFormWindows()->IndexOfObject(WindowOf(second)), 0);
  Start();
  SendMessageA(WindowOf(second), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(WindowOf(second)));
  EXPECT_TRUE(IsWindowVisible(WindowOf(main)));
  EXPECT_TRUE(LinksEnabled()) << "only the main form switches link traffic off";
  EXPECT_FALSE(QuitPosted());
  forms_.pop_back();
  EXPECT_EQ(SecondaryFormWindows()->Count(), 0);
}

}  // namespace
}  // namespace lobrin
