// Button and edit elements on a real form: what reaches the linked probes, in
// order, and what the controls show.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "elements/win/button.h"
#include "elements/win/edit.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

std::string WindowText(TControl* control) {
  char buffer[256] = {};
  GetWindowTextA(HandleOf(control), buffer, sizeof buffer);
  return buffer;
}

void TypeText(TControl* edit, const char* text) {
  SendMessageA(HandleOf(edit), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

class EditTest : public FormFixture {
 protected:
  // An edit box as the calculator makes it, its onChange and onKeyDown recorded.
  std::unique_ptr<THIEdit> MakeEdit(const std::string& initialText = std::string()) {
    return Make<THIEdit>([&](THIEdit& e) {
      e.colour = 0xFF000005;
      e.edgeStyle = EdgeStyle::kSunken;
      e.text = initialText;
      e.textProvider = e.OwnTextProvider();
      e.onChange = MakeLink<&ProbeElement::recordPoint>(&change_);
      e.onKeyDown = MakeLink<&ProbeElement::recordPoint>(&keyDown_);
    });
  }
  // Shows the form and gives the edit the keyboard focus, as a user's click would.
  void Focus(THIEdit& edit) {
    SetControlVisible(form_, true);
    SetForegroundWindow(HandleOf(form_));
    SetFocus(HandleOf(edit.control));
    ASSERT_EQ(GetFocus(), HandleOf(edit.control));
  }

  CallLog log_;
  ProbeElement change_{log_, "change"};
  ProbeElement keyDown_{log_, "keydown"};
};

// A value set through setTextPoint is shown by every calculation in tests/app and
// reported once by the answered row of EnterKey; the silent set is checked there
// by Clear.
TEST_F(EditTest, TheInitialTextIsNotReportedButTheNextTypedCharacterIs) {
  auto edit = MakeEdit("145");
  EXPECT_EQ(WindowText(edit->control), "145");
  EXPECT_TRUE(log_.empty());
  Focus(*edit);
  SendMessageA(HandleOf(edit->control), EM_SETSEL, 3, 3);
  SendMessageA(HandleOf(edit->control), WM_CHAR, '7', 0x00080001);
  EXPECT_EQ(log_, CallLog{"change:String:1457"});
}

TEST_F(EditTest, SetTextPutsTheCaretBackWithinTheNewText) {
  auto edit = MakeEdit();
  HWND window = HandleOf(edit->control);
  FireText(MakeLink<&THIEdit::setTextPoint>(edit.get()), "12345");
  for (auto [from, to, text] : {std::tuple{2, 4, "abcdef"}, std::tuple{5, 5, "ab"}}) {
    SendMessageA(window, EM_SETSEL, from, to);
    FireText(MakeLink<&THIEdit::setTextPoint>(edit.get()), text);
    DWORD start = 9, end = 9;
    SendMessageA(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{2}, DWORD{2})) << text;
  }
}

// Answers onEnter by setting the edit's text through a link.
struct EnterAnswer {
  THI_Event reply;
  void answerPoint(TData&, std::uint16_t) { FireText(reply, "reply"); }
};

TEST_F(EditTest, EnterKey) {
  EnterAnswer answer;
  const struct {
    const char* name;
    bool linked, answered, hasProvider;
    std::string textAfter;
    CallLog expected;
  } rows[] = {
      {"unlinked: a key like any other", false, false, true, "hello", {"keydown:Integer:13"}},
      {"linked, unanswered: the edit empties itself silently", true, false, true, "", {"enter:String:hello"}},
      {"linked, answered: the answer stays", true, true, true, "reply", {"enter:String:hello", "change:String:reply"}},
      {"linked, no provider: swallowed, nothing fired", true, false, false, "hello", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto edit = MakeEdit();
    ProbeElement enter(log_, "enter");
    if (row.linked) edit->onEnter = MakeLink<&ProbeElement::recordAndFirePoint>(&enter);
    if (row.answered) {
      enter.onRecord = MakeLink<&EnterAnswer::answerPoint>(&answer);
      answer.reply = MakeLink<&THIEdit::setTextPoint>(edit.get());
    }
    FireText(MakeLink<&THIEdit::setTextSilentPoint>(edit.get()), "hello");
    if (!row.hasProvider) edit->textProvider = TTextProvider{};
    Focus(*edit);
    log_.clear();
    SendMessageA(HandleOf(edit->control), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(WindowText(edit->control), row.textAfter);
    EXPECT_EQ(log_, row.expected);
    if (!row.hasProvider) {
      TData answer;
      SetInteger(answer, 99);
      ReadLink(MakeLink<&THIEdit::textPoint>(edit.get()), answer);
      EXPECT_EQ(answer.kind, kDataNull) << "no provider, no text to read";
      continue;
    }
    log_.clear();  // whatever Enter did, the next change is reported again
    TypeText(edit->control, "x");
    EXPECT_EQ(log_, CallLog{"change:String:" + WindowText(edit->control)});
  }
}

class ButtonTest : public FormFixture {
 protected:
  std::unique_ptr<THIButton> MakeButton(bool isDefault) {
    return Make<THIButton>([&](THIButton& b) {
      b.caption = "Calculate";
      b.font = TFontRec{"MS Sans Serif", 8, kFontBold, 0x0000FF, 1};
      SetReal(b.clickData, 0.0);
      b.defaultButton = isDefault;
      b.onClick = MakeLink<&ProbeElement::consumePoint>(&click_);
    });
  }

  CallLog log_;
  ProbeElement click_{log_, "click"};
};

TEST_F(ButtonTest, EveryClickDeliversRealZeroAlthoughTheReceiverConsumesIt) {
  auto button = MakeButton(false);
  HWND window = HandleOf(button->control);
  EXPECT_EQ(WindowText(button->control), "Calculate");
  for (int i = 0; i < 2; ++i) SendMessageA(window, BM_CLICK, 0, 0);
  EXPECT_EQ(log_, CallLog(2, "click:Real:0"));
  EXPECT_EQ(button->clickData.kind, kDataReal);
}

TEST_F(ButtonTest, DefaultRoleAndMultiLineCaption) {
  for (bool isDefault : {false, true}) {
    SCOPED_TRACE(isDefault);
    auto button = MakeButton(isDefault);
    const auto style = static_cast<DWORD>(GetWindowLongA(HandleOf(button->control), GWL_STYLE));
    EXPECT_TRUE(style & BS_MULTILINE);
    EXPECT_EQ((style & BS_DEFPUSHBUTTON) != 0, isDefault);
    EXPECT_EQ(form_->defaultButton, isDefault ? button->control : nullptr);
    button.reset();  // a button that goes away stops being the default button with it
    EXPECT_EQ(form_->defaultButton, nullptr);
  }
}

}  // namespace
}  // namespace lobrin
