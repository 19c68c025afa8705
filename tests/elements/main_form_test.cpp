#include "elements/win/main_form.h"

#include <gtest/gtest.h>

#include <fstream>

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
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKeyRoot);
  }
  void TearDown() override {
    forms_.clear();
    ResetToolkitState();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKeyRoot);
    DeleteFileA((ProgramDirectory() + kTestIniFile).c_str());
  }
  // A main form set up the way the calculator's is, its events linked to probes, plus what `configure` writes.
  template <class Configure>
  THIMainForm& MakeForm(Configure configure) {
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
        {&THIMainForm::onStart, "start"}, {&THIMainForm::onShow, "show"}, {&THIMainForm::onClose, "close"},
        {&THIMainForm::onActivate, "activate"}, {&THIMainForm::onDeactivate, "deactivate"}};
    for (const auto& [event, name] : events) {
      probes_.push_back(std::make_unique<ProbeElement>(log_, name));
      form.*event = MakeLink<&ProbeElement::recordPoint>(probes_.back().get());
    }
    configure(form);
    form.Init();
    return form;
  }
  THIMainForm& MakeForm() {
    return MakeForm([](THIMainForm&) {});
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
  EXPECT_FALSE(IsWindowVisible(WindowOf(form)));
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

TEST_F(MainFormTest, ClosingFiresOnCloseOnceAndSwitchesLinkTrafficOff) {
  THIMainForm& form = MakeForm();
  Start();
  SendMessageA(WindowOf(form), WM_CLOSE, 0, 0);
  EXPECT_EQ(log_, (CallLog{"close:NULL:"}));
  EXPECT_FALSE(LinksEnabled());
  EXPECT_TRUE(QuitPosted()) << "the toolkit ends the application";
  SendMessageA(WindowOf(form), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(log_, (CallLog{"close:NULL:"})) << "nothing reaches a handler after the close";
}

TEST_F(MainFormTest, CloseGuardAnsweringNonZeroKeepsTheFormOpen) {
  const struct {
    bool answerInteger;
    std::int32_t answer;
    bool closes;
  } rows[] = {{true, 1, false}, {true, 0, true}, {false, 0, true}};
  for (const auto& row : rows) {
    ProbeElement guard(log_, "guard");
    if (row.answerInteger) SetInteger(guard.answer, row.answer);
    THIMainForm& form =
        MakeForm([&](THIMainForm& f) { f.closeGuardLink = MakeLink<&ProbeElement::answerPoint>(&guard); });
    Start();
    SendMessageA(WindowOf(form), WM_CLOSE, 0, 0);
    const std::string what = row.answerInteger ? "Integer " + std::to_string(row.answer) : "NULL";
    EXPECT_EQ(log_, (row.closes ? CallLog{"guard:NULL:", "close:NULL:"} : CallLog{"guard:NULL:"})) << what;
    EXPECT_EQ(LinksEnabled(), !row.closes) << what;
    EXPECT_EQ(QuitPosted(), row.closes) << what;
    if (!row.closes) {
      EXPECT_TRUE(IsWindowVisible(WindowOf(form))) << what;
    }
    ForgetForms();
  }
}

TEST_F(MainFormTest, ActivationEventsAlsoWhileMinimised) {
  THIMainForm& form = MakeForm();
  Start();
  // Deactivated while minimised: the high word says so, it is still a deactivation.
  for (WPARAM state : {WPARAM{WA_ACTIVE}, WPARAM{WA_INACTIVE}, MAKEWPARAM(WA_INACTIVE, 1)})
    SendMessageA(WindowOf(form), WM_ACTIVATE, state, 0);
  EXPECT_EQ(log_, (CallLog{"activate:NULL:", "deactivate:NULL:", "deactivate:NULL:"}));
}

// The stored position, in the order Left, Top, Width, Height.
std::string Stored(bool ini, const std::string& registryKey) {
  std::string text;
  if (ini) {
    std::ifstream in(ProgramDirectory() + kTestIniFile, std::ios::binary);
    for (char c; in.get(c);)
      if (c != '\r' && c != '\n') text += c;
    return text;
  }
  for (const char* name : {"Left", "Top", "Width", "Height"}) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, ("Software\\" + registryKey).c_str(), name, RRF_RT_ANY, &type, &value,
                     &size) == ERROR_SUCCESS && type == REG_DWORD)
      text += std::string(name) + "=" + std::to_string(value);
  }
  return text;
}

// A key that holds ".ini\" (in that case) names an ini file in the program's
// folder; any other key names a registry key.
TEST_F(MainFormTest, PositionRoundTripsThroughTheRegistryAndTheIniFile) {
  const struct {
    std::string key;
    bool ini;
  } rows[] = {{"LobrinElementTests\\Main", false},
              {std::string(kTestIniFile) + "\\Main", true},
              {"LobrinElementTests\\Tests.INI\\Main", false}};
  for (const auto& [key, ini] : rows) {
    THIMainForm& first = MakeForm([&](THIMainForm& f) { f.positionKey = key; });
    Start();
    SetControlPosition(first.control, 37, 41);
    SetControlSize(first.control, 300, 200);
    SendMessageA(WindowOf(first), WM_CLOSE, 0, 0);
    EXPECT_EQ(Stored(ini, key), std::string(ini ? "[Main]" : "") + "Left=37Top=41Width=300Height=200") << key;
    ForgetForms();
    THIMainForm& second = MakeForm([&](THIMainForm& f) { f.positionKey = key; });
    Start();  // the first show loads the position
    TControl* c = second.control;
    EXPECT_EQ((std::vector<int>{ControlLeft(c), ControlTop(c), ControlWidth(c), ControlHeight(c)}),
              (std::vector<int>{37, 41, 300, 200})) << key;
    ForgetForms();
  }
}

TEST_F(MainFormTest, RegistryValueLongerThanFourBytesIsNotApplied) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\LobrinElementTests\\Main", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD left = 50, width = 320;
  const BYTE eightBytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  RegSetValueExA(key, "Left", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&left), 4);
  RegSetValueExA(key, "Top", 0, REG_BINARY, eightBytes, sizeof eightBytes);
  RegSetValueExA(key, "Height", 0, REG_BINARY, eightBytes, sizeof eightBytes);
  RegSetValueExA(key, "Width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width), 4);
  RegCloseKey(key);
  THIMainForm& form = MakeForm([](THIMainForm& f) {
    f.positionKey = "LobrinElementTests\\Main";
    f.top = 12;
  });
  Start();
  EXPECT_EQ(ControlLeft(form.control), 50);
  EXPECT_EQ(ControlTop(form.control), 12) << "an 8-byte Top is left alone";
  EXPECT_EQ(ControlHeight(form.control), 407) << "an 8-byte Height is left alone";
  EXPECT_EQ(ControlWidth(form.control), 320) << "the value after a long one is still read";
}

TEST_F(MainFormTest, ASecondFormIsASecondaryFormThatHidesOnClose) {
  THIMainForm& main = MakeForm();
  THIMainForm& second = MakeForm();
  EXPECT_FALSE(second.ownsAppWindow);
  EXPECT_EQ(SecondaryFormWindows()->IndexOfObject(WindowOf(second)), 0);
  EXPECT_EQ(SecondaryFormWindows()->IndexOfObject(WindowOf(main)), -1);
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
