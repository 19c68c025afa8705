// Button and edit elements on a real form: what reaches the linked probes, in
// order, and what the controls show.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "elements/win/button.h"
#include "elements/win/edit.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"
#include "toolkit/focus.h"  // DialogKeyFilter

namespace lobrin {
namespace {

using testing::CallLog;
using testing::FormFixture;
using testing::ProbeElement;

std::string WindowText(HWND window) {
  char buffer[256] = {};
  SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void TypeText(HWND edit, const char* text) {
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// Answers onEnter by setting the edit's text through a link.
struct EnterAnswer {
  THI_Event reply;
  void answerPoint(TData&, std::uint16_t) { FireText(reply, "reply"); }
};

class EditTest : public FormFixture {
 protected:
  // An edit box as the calculator makes it, its onChange and onKeyDown recorded.
  std::unique_ptr<THIEdit> MakeEdit(const std::string& initialText = std::string()) {
    auto edit = Make<THIEdit>([&](THIEdit& e) {
      e.colour = 0xFF000005;
      e.edgeStyle = kEdgeSunken;
      e.text = initialText;
      e.textProvider = e.OwnTextProvider();
      e.onChange = MakeLink<&ProbeElement::recordPoint>(&change_);
      e.onKeyDown = MakeLink<&ProbeElement::recordPoint>(&keyDown_);
    });
    return edit;
  }

  // Shows the form and gives the edit the keyboard focus, as a user's click would.
  void Focus(THIEdit& edit) {
    SetControlVisible(form_, true);
    SetForegroundWindow(HandleOf(form_));
    SetFocus(HandleOf(edit.control));
    ASSERT_EQ(GetFocus(), HandleOf(edit.control));
  }

  void PressEnter(THIEdit& edit) {
    SendMessageA(HandleOf(edit.control), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  }

  // Link traffic on after the fixture has reset the toolkit state (which turns it off).
  void SetUp() override {
    FormFixture::SetUp();
    EnableLinks();
  }

  CallLog log_;
  ProbeElement change_{log_, "change"};
  ProbeElement keyDown_{log_, "keydown"};
};

TEST_F(EditTest, SetTextShowsTheValueAsTextAndReportsItOnceAsString) {
  auto edit = MakeEdit();
  HWND window = HandleOf(edit->control);
  TData third, minusSeven, null;
  SetReal(third, 1.0 / 3.0);
  SetInteger(minusSeven, -7);
  const std::pair<TData*, std::string> cases[] = {
      {&third, "0.333333333333333"}, {&minusSeven, "-7"}, {&null, ""}};
  for (auto& [value, shown] : cases) {
    log_.clear();
    FireCopy(MakeLink<&THIEdit::setTextPoint>(edit.get()), *value);
    EXPECT_EQ(WindowText(window), shown);
    // Already recorded when the point returned: the change came back inside the call.
    EXPECT_EQ(log_, CallLog{"change:String:" + shown});
  }
}

TEST_F(EditTest, FeetFollowMetresWithinTheOneCall) {
  auto metres = MakeEdit();
  auto feet = MakeEdit();
  // metres.onChange -> relay -> feet.setTextPoint, as the calculation chain does.
  ProbeElement relay(log_, "relay");
  metres->onChange = MakeLink<&ProbeElement::recordAndFirePoint>(&relay);
  relay.onRecord = MakeLink<&THIEdit::setTextPoint>(feet.get());
  FireReal(MakeLink<&THIEdit::setTextPoint>(metres.get()), 12.5);
  EXPECT_EQ(WindowText(HandleOf(feet->control)), "12.5");
  EXPECT_EQ(log_, (CallLog{"relay:String:12.5", "change:String:12.5"}));
}

TEST_F(EditTest, InitialTextIsShownWithoutReportButTheNextChangeIsReported) {
  auto edit = MakeEdit("145");
  EXPECT_EQ(WindowText(HandleOf(edit->control)), "145");
  EXPECT_TRUE(log_.empty());
  SendMessageA(HandleOf(edit->control), EM_SETSEL, 3, 3);
  TypeText(HandleOf(edit->control), "0");
  EXPECT_EQ(log_, CallLog{"change:String:1450"});
}

TEST_F(EditTest, SilentSetIsNotReportedAndTheNextTypedCharacterIs) {
  auto edit = MakeEdit();
  HWND window = HandleOf(edit->control);
  FireReal(MakeLink<&THIEdit::setTextSilentPoint>(edit.get()), 2.5);
  EXPECT_EQ(WindowText(window), "2.5");
  EXPECT_TRUE(log_.empty());

  Focus(*edit);
  SendMessageA(window, EM_SETSEL, 3, 3);
  SendMessageA(window, WM_CHAR, '7', 0x00080001);
  EXPECT_EQ(WindowText(window), "2.57");
  EXPECT_EQ(log_, CallLog{"change:String:2.57"});
}

TEST_F(EditTest, TextPointAnswersAStringAndNullWithoutProvider) {
  auto edit = MakeEdit();
  FireInteger(MakeLink<&THIEdit::setTextSilentPoint>(edit.get()), 145);
  TData answer;
  SetInteger(answer, 99);
  ReadLink(MakeLink<&THIEdit::textPoint>(edit.get()), answer);
  EXPECT_EQ(answer.kind, kDataString);
  EXPECT_EQ(answer.textValue, "145");

  edit->textProvider = TTextProvider{};
  ReadLink(MakeLink<&THIEdit::textPoint>(edit.get()), answer);
  EXPECT_EQ(answer.kind, kDataNull);
}

TEST_F(EditTest, SetTextPutsTheCaretBackWithinTheNewText) {
  auto edit = MakeEdit();
  HWND window = HandleOf(edit->control);
  FireText(MakeLink<&THIEdit::setTextPoint>(edit.get()), "12345");
  SendMessageA(window, EM_SETSEL, 2, 4);
  FireText(MakeLink<&THIEdit::setTextPoint>(edit.get()), "abcdef");
  EXPECT_EQ(Selection(window), std::make_pair(DWORD{2}, DWORD{2}));
  SendMessageA(window, EM_SETSEL, 5, 5);
  FireText(MakeLink<&THIEdit::setTextPoint>(edit.get()), "ab");
  EXPECT_EQ(Selection(window), std::make_pair(DWORD{2}, DWORD{2}));
}

TEST_F(EditTest, EnterKey) {
  EnterAnswer answer;
  struct Case {
    const char* name;
    bool linked;
    bool answered;
    bool hasProvider;
    std::string textAfter;
    CallLog expected;
  };
  const Case cases[] = {
      {"unlinked: a key like any other", false, false, true, "hello", {"keydown:Integer:13"}},
      {"linked, unanswered: the edit empties itself silently", true, false, true, "",
       {"enter:String:hello"}},
      {"linked, answered: the answer stays", true, true, true, "reply",
       {"enter:String:hello", "change:String:reply"}},
      {"linked, no provider: swallowed, nothing fired", true, false, false, "hello", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto edit = MakeEdit();
    ProbeElement enter(log_, "enter");
    if (c.linked) {
      edit->onEnter = MakeLink<&ProbeElement::recordAndFirePoint>(&enter);
      if (c.answered) {
        enter.onRecord = MakeLink<&EnterAnswer::answerPoint>(&answer);
        answer.reply = MakeLink<&THIEdit::setTextPoint>(edit.get());
      }
    }
    FireText(MakeLink<&THIEdit::setTextSilentPoint>(edit.get()), "hello");
    if (!c.hasProvider) edit->textProvider = TTextProvider{};
    Focus(*edit);
    log_.clear();
    PressEnter(*edit);
    EXPECT_EQ(WindowText(HandleOf(edit->control)), c.textAfter);
    EXPECT_EQ(log_, c.expected);
    if (!c.hasProvider) continue;
    // Whatever Enter did, the next change is reported again.
    log_.clear();
    TypeText(HandleOf(edit->control), "x");
    EXPECT_EQ(log_, CallLog{"change:String:" + WindowText(HandleOf(edit->control))});
  }
}

// --- Buttons ----------------------------------------------------------------

class ButtonTest : public FormFixture {
 protected:
  std::unique_ptr<THIButton> MakeButton(bool isDefault) {
    return Make<THIButton>([&](THIButton& b) {
      b.caption = "Calculate";
      b.colour = 0x000000;
      b.font = TFontRec{"MS Sans Serif", 8, kFontBold, 0x0000FF, 1};
      SetReal(b.clickData, 0.0);
      b.defaultButton = isDefault;
      b.onClick = MakeLink<&ProbeElement::consumePoint>(&click_);
    });
  }

  // Link traffic on after the fixture has reset the toolkit state (which turns it off).
  void SetUp() override {
    FormFixture::SetUp();
    EnableLinks();
  }

  CallLog log_;
  ProbeElement click_{log_, "click"};
};

TEST_F(ButtonTest, EveryClickDeliversRealZeroAlthoughTheReceiverConsumesIt) {
  auto button = MakeButton(false);
  HWND window = HandleOf(button->control);
  EXPECT_EQ(WindowText(window), "Calculate");
  const std::pair<const char*, void (*)(HWND, HWND)> deliveries[] = {
      {"BM_CLICK", [](HWND b, HWND) { SendMessageA(b, BM_CLICK, 0, 0); }},
      {"BN_CLICKED to the form", [](HWND b, HWND form) {
         SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
                      reinterpret_cast<LPARAM>(b));
       }}};
  for (auto [name, click] : deliveries) {
    SCOPED_TRACE(name);
    log_.clear();
    for (int i = 0; i < 3; ++i) click(window, HandleOf(form_));
    EXPECT_EQ(log_, CallLog(3, "click:Real:0"));
    EXPECT_EQ(button->clickData.kind, kDataReal);
  }
}

TEST_F(ButtonTest, DefaultRoleAndMultiLineCaption) {
  for (bool isDefault : {false, true}) {
    SCOPED_TRACE(isDefault);
    auto button = MakeButton(isDefault);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(HandleOf(button->control), GWL_STYLE));
    EXPECT_TRUE(style & BS_MULTILINE);
    EXPECT_EQ((style & BS_DEFPUSHBUTTON) != 0, isDefault);
    EXPECT_EQ(form_->defaultButton, isDefault ? button->control : nullptr);
    EXPECT_EQ(app_->onMessage.code == &DialogKeyFilter, isDefault);
    // A button that goes away stops being the default button with it.
    button.reset();
    EXPECT_EQ(form_->defaultButton, nullptr);
    EXPECT_NE(app_->onMessage.code, &DialogKeyFilter);
  }
}

}  // namespace
}  // namespace lobrin
