#include "elements/win/main_form.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "elements/win/secondary_forms.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"
#include "toolkit/ini_file.h"
#include "toolkit/lists.h"

namespace lobrin {
namespace {

using testing::CallLog;
using testing::ProbeElement;
using testing::ResetToolkitState;

// A registry key of the tests' own under HKEY_CURRENT_USER\Software.
const char kTestKey[] = "LobrinElementTests\\Main";
const char kTestKeyRoot[] = "Software\\LobrinElementTests";
const char kTestIniKey[] = "lobrin_element_tests.ini\\Main";
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

  // A main form set up the way the calculator's is, plus what `configure` writes.
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
    configure(form);
    form.Init();
    return form;
  }
  THIMainForm& MakeForm() {
    return MakeForm([](THIMainForm&) {});
  }
  // Links the form's events to probes.
  void Wire(THIMainForm& form) {
    struct Row {
      THI_Event THIMainForm::*event;
      const char* name;
    };
    const Row rows[] = {{&THIMainForm::onStart, "start"},       {&THIMainForm::onShow, "show"},
                        {&THIMainForm::onClose, "close"},       {&THIMainForm::onActivate, "activate"},
                        {&THIMainForm::onDeactivate, "deactivate"}};
    for (const Row& row : rows) {
      probes_.push_back(std::make_unique<ProbeElement>(log_, row.name));
      form.*row.event = MakeLink<&ProbeElement::recordPoint>(probes_.back().get());
    }
  }
  // The start-up step of the program.
  static void Start() {
    EnableLinks();
    RunStartupCallbacks();
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

// ---------------------------------------------------------------------------
// Start and close
// ---------------------------------------------------------------------------

TEST_F(MainFormTest, StaysHiddenUntilTheStartRoutineRuns) {
  THIMainForm& form = MakeForm([&](THIMainForm& f) { Wire(f); });
  ASSERT_TRUE(form.ownsAppWindow);
  ASSERT_EQ(AppWindow, form.control->parent);
  EXPECT_FALSE(IsWindowVisible(WindowOf(form)));
  EnableLinks();
  EXPECT_FALSE(IsWindowVisible(WindowOf(form))) << "links on alone shows nothing";
  RunStartupCallbacks();
  EXPECT_TRUE(IsWindowVisible(WindowOf(form)));
  ASSERT_GE(log_.size(), 2u);  // showing may also activate it
  EXPECT_EQ(CallLog(log_.begin(), log_.begin() + 2), (CallLog{"start:NULL:", "show:NULL:"}));
  char caption[64] = {};
  GetWindowTextA(WindowOf(form), caption, sizeof caption);
  EXPECT_STREQ(caption, "Lobrin test");
  EXPECT_EQ(GetControlText(AppWindow), "Lobrin test");
}

TEST_F(MainFormTest, ClosingFiresOnCloseOnceAndSwitchesLinkTrafficOff) {
  THIMainForm& form = MakeForm([&](THIMainForm& f) { Wire(f); });
  Start();
  log_.clear();
  SendMessageA(WindowOf(form), WM_CLOSE, 0, 0);
  EXPECT_EQ(log_, (CallLog{"close:NULL:"}));
  EXPECT_FALSE(LinksEnabled());
  EXPECT_TRUE(QuitPosted()) << "the toolkit ends the application";
  SendMessageA(WindowOf(form), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(log_, (CallLog{"close:NULL:"})) << "nothing reaches a handler after the close";
}

TEST_F(MainFormTest, CloseGuardAnsweringNonZeroKeepsTheFormOpen) {
  struct Case {
    const char* what;
    bool answerInteger;
    std::int32_t answer;
    bool closes;
  };
  const Case cases[] = {{"Integer 1", true, 1, false},
                        {"Integer 0", true, 0, true},
                        {"NULL", false, 0, true}};
  for (const Case& c : cases) {
    ProbeElement guard(log_, "guard");
    if (c.answerInteger) SetInteger(guard.answer, c.answer);
    THIMainForm& form = MakeForm([&](THIMainForm& f) {
      Wire(f);
      f.closeGuardLink = MakeLink<&ProbeElement::answerPoint>(&guard);
    });
    Start();
    log_.clear();
    SendMessageA(WindowOf(form), WM_CLOSE, 0, 0);
    const CallLog expected = c.closes ? CallLog{"guard:NULL:", "close:NULL:"} : CallLog{"guard:NULL:"};
    EXPECT_EQ(log_, expected) << c.what;
    EXPECT_EQ(LinksEnabled(), !c.closes) << c.what;
    EXPECT_EQ(QuitPosted(), c.closes) << c.what;
    if (!c.closes) {
      EXPECT_TRUE(IsWindowVisible(WindowOf(form))) << c.what;
    }
    forms_.clear();
    ResetToolkitState();
  }
}

TEST_F(MainFormTest, ActivationEvents) {
  THIMainForm& form = MakeForm([&](THIMainForm& f) { Wire(f); });
  Start();
  log_.clear();
  SendMessageA(WindowOf(form), WM_ACTIVATE, WA_ACTIVE, 0);
  SendMessageA(WindowOf(form), WM_ACTIVATE, WA_INACTIVE, 0);
  // Deactivated while minimised: the high word says so, it is still a deactivation.
  SendMessageA(WindowOf(form), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
  EXPECT_EQ(log_, (CallLog{"activate:NULL:", "deactivate:NULL:", "deactivate:NULL:"}));
}

// ---------------------------------------------------------------------------
// Look
// ---------------------------------------------------------------------------

TEST_F(MainFormTest, BorderStyles) {
  THIMainForm& form = MakeForm();
  const DWORD style = form.control->style;
  const DWORD exStyle = form.control->exStyle;
  form.SetBorderStyle(12);
  EXPECT_EQ(form.control->style, style);
  EXPECT_EQ(form.control->exStyle, exStyle);

  constexpr DWORD kFrameBits = 0x00FF0000;  // caption, frame, system menu, boxes
  const DWORD live = GetWindowLongA(WindowOf(form), GWL_STYLE);
  EXPECT_EQ(live & kFrameBits, static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX))
      << "style 1: caption, system menu and minimise box only";
  // The system adds WS_EX_WINDOWEDGE to a captioned window by itself.
  EXPECT_EQ(form.control->exStyle & 0x181, 0u);
  EXPECT_EQ(GetWindowLongA(WindowOf(form), GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME), 0);

  form.SetBorderStyle(5);
  EXPECT_EQ(form.control->style & kFrameBits,
            static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_EQ(form.control->exStyle & 0x181, static_cast<DWORD>(WS_EX_TOOLWINDOW));
}

TEST_F(MainFormTest, StartsInTheConfiguredWindowState) {
  THIMainForm& form = MakeForm([](THIMainForm& f) { f.windowState = kStateMinimized; });
  Start();
  EXPECT_TRUE(IsIconic(WindowOf(form)));
  EXPECT_TRUE(form.shownOnce);
}

// ---------------------------------------------------------------------------
// Position persistence
// ---------------------------------------------------------------------------

TEST_F(MainFormTest, PositionKeyChoosesTheStore) {
  const std::pair<const char*, THIMainForm::PositionStore> cases[] = {
      {"", nullptr},
      {"settings.ini\\Main", &THIMainForm::StorePositionInIni},
      {"Settings.INI\\Main", &THIMainForm::StorePositionInRegistry},
      {"Acme\\Main", &THIMainForm::StorePositionInRegistry},
  };
  for (auto [key, store] : cases) {
    THIMainForm& form = MakeForm([&](THIMainForm& f) { f.positionKey = key; });
    EXPECT_TRUE(form.positionStore == store) << key;
    forms_.clear();
    ResetToolkitState();
  }
}

DWORD RegistryNumber(const char* name) {
  DWORD value = 0xDEADBEEF, size = sizeof value, type = 0;
  RegGetValueA(HKEY_CURRENT_USER, "Software\\LobrinElementTests\\Main", name, RRF_RT_ANY, &type,
               &value, &size);
  return type == REG_DWORD ? value : 0xDEADBEEF;
}

TEST_F(MainFormTest, RegistryRoundTrip) {
  THIMainForm& first = MakeForm([](THIMainForm& f) { f.positionKey = kTestKey; });
  Start();
  SetControlPosition(first.control, 37, 41);
  SetControlSize(first.control, 300, 200);
  SendMessageA(WindowOf(first), WM_CLOSE, 0, 0);
  EXPECT_EQ(RegistryNumber("Left"), 37u);
  EXPECT_EQ(RegistryNumber("Top"), 41u);
  EXPECT_EQ(RegistryNumber("Height"), 200u);
  EXPECT_EQ(RegistryNumber("Width"), 300u);
  forms_.clear();
  ResetToolkitState();

  THIMainForm& second = MakeForm([](THIMainForm& f) { f.positionKey = kTestKey; });
  Start();  // the first show loads the position
  EXPECT_EQ(ControlLeft(second.control), 37);
  EXPECT_EQ(ControlTop(second.control), 41);
  EXPECT_EQ(ControlWidth(second.control), 300);
  EXPECT_EQ(ControlHeight(second.control), 200);
}

TEST_F(MainFormTest, RegistryValueLongerThanFourBytesIsNotApplied) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\LobrinElementTests\\Main", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD left = 50, width = 320;
  const BYTE eightBytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  RegSetValueExA(key, "Left", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&left), 4);
  RegSetValueExA(key, "Top", 0, REG_BINARY, eightBytes, sizeof eightBytes);
  RegSetValueExA(key, "Height", 0, REG_BINARY, eightBytes, sizeof eightBytes);
  RegSetValueExA(key, "Width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width), 4);
  RegCloseKey(key);

  THIMainForm& form = MakeForm([](THIMainForm& f) {
    f.positionKey = kTestKey;
    f.top = 12;
  });
  Start();
  EXPECT_EQ(ControlLeft(form.control), 50);
  EXPECT_EQ(ControlTop(form.control), 12) << "an 8-byte Top is left alone";
  EXPECT_EQ(ControlHeight(form.control), 407) << "an 8-byte Height is left alone";
  EXPECT_EQ(ControlWidth(form.control), 320) << "the value after a long one is still read";
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(MainFormTest, IniRoundTrip) {
  const std::string file = ProgramDirectory() + kTestIniFile;
  THIMainForm& first = MakeForm([](THIMainForm& f) { f.positionKey = kTestIniKey; });
  Start();
  SetControlPosition(first.control, 21, 22);
  SetControlSize(first.control, 310, 210);
  SendMessageA(WindowOf(first), WM_CLOSE, 0, 0);
  std::string text = FileText(file);
  const std::size_t left = text.find("Left=21"), top = text.find("Top=22"),
                    width = text.find("Width=310"), height = text.find("Height=210");
  ASSERT_NE(text.find("[Main]"), std::string::npos) << text;
  ASSERT_NE(height, std::string::npos) << text;
  EXPECT_TRUE(left < top && top < width && width < height) << text;
  forms_.clear();
  ResetToolkitState();

  THIMainForm& second = MakeForm([](THIMainForm& f) { f.positionKey = kTestIniKey; });
  Start();
  EXPECT_EQ(ControlLeft(second.control), 21);
  EXPECT_EQ(ControlTop(second.control), 22);
  EXPECT_EQ(ControlWidth(second.control), 310);
  EXPECT_EQ(ControlHeight(second.control), 210);
}

// ---------------------------------------------------------------------------
// Secondary forms
// ---------------------------------------------------------------------------

TEST_F(MainFormTest, ASecondFormIsASecondaryFormThatHidesOnClose) {
  THIMainForm& main = MakeForm([&](THIMainForm& f) { Wire(f); });
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
