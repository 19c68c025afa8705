// Button, edit and label elements on a real form: what reaches the linked
// probes, in order, and what the controls show.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <utility>

#include "elements/win/button.h"
#include "elements/win/edit.h"
#include "elements/win/label.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

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
TEST_F(EditTest, TheInitialTextIsNotReportedButATypedCharacterIsAndSetTextKeepsTheCaretWithinTheText) {
  auto edit = MakeEdit("145");
  HWND window = HandleOf(edit->control);
  EXPECT_EQ(GetControlText(edit->control), "145");
  EXPECT_TRUE(log_.empty());
  Focus(*edit);
  SendMessageA(window, EM_SETSEL, 3, 3);
  SendMessageA(window, WM_CHAR, '7', 0x00080001);
  EXPECT_EQ(log_, CallLog{"change:String:1457"});

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
      {"linked, answered: the answer stays",
       true,
       true,
       true,
       "reply",
       {"enter:String:hello", "change:String:reply"}},
      {"linked, no provider: swallowed, nothing fired", true, false, false, "hello", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto edit = MakeEdit();
    ProbeElement enter(log_, "enter");
    if (row.linked) {
      edit->onEnter = MakeLink<&ProbeElement::recordAndFirePoint>(&enter);
    }
    if (row.answered) {
      enter.onRecord = MakeLink<&EnterAnswer::answerPoint>(&answer);
      answer.reply = MakeLink<&THIEdit::setTextPoint>(edit.get());
    }
    FireText(MakeLink<&THIEdit::setTextSilentPoint>(edit.get()), "hello");
    if (!row.hasProvider) {
      edit->textProvider = TTextProvider{};
    }
    Focus(*edit);
    log_.clear();
    SendMessageA(HandleOf(edit->control), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(GetControlText(edit->control), row.textAfter);
    EXPECT_EQ(log_, row.expected);
    if (!row.hasProvider) {
      TData answer;
      SetInteger(answer, 99);
      ReadLink(MakeLink<&THIEdit::textPoint>(edit.get()), answer);
      EXPECT_EQ(answer.kind, kDataNull) << "no provider, no text to read";
      continue;
    }
    log_.clear();  // whatever Enter did, the next change is reported again
    SendMessageA(HandleOf(edit->control), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));  // typed
    EXPECT_EQ(log_, CallLog{"change:String:" + GetControlText(edit->control)});
  }
}

using ButtonTest = FormFixture;

// The receiver consumes the click value; a button that goes away stops being the default button with it.
TEST_F(ButtonTest, EveryClickDeliversRealZeroAndTheDefaultRoleGoesWithTheButton) {
  for (bool isDefault : {false, true}) {
    SCOPED_TRACE(isDefault);
    CallLog log;
    ProbeElement click(log, "click");
    auto button = Make<THIButton>([&](THIButton& b) {
      b.caption = "Calculate";
      b.font = TFontRec{"MS Sans Serif", 8, kFontBold, 0x0000FF, 1};
      SetReal(b.clickData, 0.0);
      b.defaultButton = isDefault;
      b.onClick = MakeLink<&ProbeElement::consumePoint>(&click);
    });
    HWND window = HandleOf(button->control);
    EXPECT_EQ(GetControlText(button->control), "Calculate");
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_TRUE(style & BS_MULTILINE);
    EXPECT_EQ((style & BS_DEFPUSHBUTTON) != 0, isDefault);
    EXPECT_EQ(form_->defaultButton, isDefault ? button->control : nullptr);
    for (int i = 0; i < 2; ++i) {
      SendMessageA(window, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(log, CallLog(2, "click:Real:0"));
    button.reset();
    EXPECT_EQ(form_->defaultButton, nullptr);
  }
}

using LabelTest = FormFixture;

// The caption and the size fitted to it are checked on the running program in
// tests/app and in window_settings_test.
TEST_F(LabelTest, HoverLookWhileTheMouseIsOver) {
  constexpr std::uint32_t kBlue = 0xFF0000, kRed = 0x0000FF;
  const struct {
    std::uint32_t hoverColour;
    bool hoverUnderline;
    std::uint32_t colour;
    std::uint8_t style;
  } rows[] = {{0, false, kBlue, kFontBold},
              {kRed, false, kRed, kFontBold},
              {0, true, kBlue, kFontBold | kFontUnderline},
              {kRed, true, kRed, kFontBold | kFontUnderline}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message()
                 << "hover colour " << row.hoverColour << ", underline " << row.hoverUnderline);
    auto label = Make<THILabel>([&](THILabel& l) {
      l.caption = "Info";
      l.font = TFontRec{"MS Sans Serif", 8, kFontBold, kBlue, 1};
      l.hoverColour = row.hoverColour;
      l.hoverUnderline = row.hoverUnderline;
    });
    HWND window = HandleOf(label->control);
    TGraphicTool* font = label->control->font;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
    EXPECT_EQ(font->Colour(), row.colour);
    EXPECT_EQ(font->FontStyle(), row.style);
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(font->Colour(), kBlue);
    EXPECT_EQ(font->FontStyle(), kFontBold);
    DrainMessages();  // the hover and leave tracking the moves asked for
  }
}

}  // namespace
}  // namespace lobrin
