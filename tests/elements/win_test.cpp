#include "elements/win/win.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

#include "elements/font_height.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"
#include "toolkit/graphic_tool.h"

namespace lobrin {
namespace {

using namespace testing;

HWND WindowOf(const THIWin& element) { return element.control->handle; }
DWORD StyleOf(const THIWin& element, int which = GWL_STYLE) {
  return GetWindowLongA(WindowOf(element), which);
}

using WinInit = FormFixture;

// Places and sizes are checked on the running program in tests/app; so is an
// element whose control the toolkit freed first, as the calculator's window
// and its controls go before its elements when it ends.
TEST_F(WinInit, EdgeStyleAndEdgeKindOnTheRealWindow) {
  constexpr DWORD kEdgeBits = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
  const struct {
    bool edit;
    EdgeStyle edgeStyle;
    EdgeKind edgeKind;
    DWORD edge;   // the edge bits of the extended style
    bool border;  // WS_BORDER
  } rows[] = {
      {true, EdgeStyle::kSunken, EdgeKind::kUnchanged, WS_EX_CLIENTEDGE, false},
      {true, EdgeStyle::kSunken, EdgeKind::kStatic, WS_EX_STATICEDGE, false},
      {true, EdgeStyle::kSingle, EdgeKind::kStatic, 0, true},  // a border instead of the client edge
      {true, EdgeStyle::kOwn, EdgeKind::kStatic, WS_EX_CLIENTEDGE, false},  // the kind is ignored
      {false, EdgeStyle::kSingle, EdgeKind::kUnchanged, 0, false},
      {false, EdgeStyle::kSunken, EdgeKind::kUnchanged, WS_EX_CLIENTEDGE, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message()
                 << (row.edit ? "edit " : "label ") << int(row.edgeStyle) << "/" << int(row.edgeKind));
    auto configure = [&](THIWin& e) { e.edgeStyle = row.edgeStyle, e.edgeKind = row.edgeKind; };
    std::unique_ptr<THIWin> element =
        row.edit ? std::unique_ptr<THIWin>(Make<TestEdit>(configure)) : Make<TestLabel>(configure);
    EXPECT_EQ(StyleOf(*element, GWL_EXSTYLE) & kEdgeBits, row.edge);
    // The system edit draws a WS_BORDER itself, so the border is read from the control's record.
    EXPECT_EQ((element->control->style & WS_BORDER) != 0, row.border);
  }
}

TEST_F(WinInit, TabOrdersVisibilityAndStackingOrder) {
  SetControlVisible(form_, true);  // tab stops are collected from a visible form
  TControl* made[] = {MakeEdit(form_, 0), MakeEdit(form_, 0), MakeEdit(form_, 0)};
  for (TControl* c : made) {
    HandleOf(c);
  }
  auto asMade = Make<TestEdit>([](THIWin& e) { e.tabOrder = 0; });
  EXPECT_TRUE(asMade->control->tabStop);
  EXPECT_EQ(asMade->control->tabOrder, 4) << "0 keeps the order given at creation";
  auto outOfSequence = Make<TestEdit>([](THIWin& e) { e.tabOrder = -1, e.visible = false; });
  EXPECT_FALSE(outOfSequence->control->tabStop);
  EXPECT_EQ(StyleOf(*outOfSequence) & WS_VISIBLE, 0u);
  auto third = Make<TestLabel>([](THIWin& e) { e.tabOrder = 3; });
  EXPECT_EQ(third->control->tabOrder, 3);
  EXPECT_NE(StyleOf(*third) & WS_TABSTOP, 0u);
  EXPECT_EQ(third->control->focusKeys, kFocusKeyTab);
  EXPECT_NE(StyleOf(*third) & WS_VISIBLE, 0u);
  EXPECT_EQ(GetWindow(form_->handle, GW_CHILD), WindowOf(*third)) << "the latest element lies on top";
  EXPECT_EQ(
      (std::vector<int>{made[0]->tabOrder, made[1]->tabOrder, made[2]->tabOrder, asMade->control->tabOrder}),
      (std::vector<int>{1, 2, 4, 5}))
      << "tab stops at or above 3 move up by one";
}

TEST_F(WinInit, FontFromTheRecordAtTheScreenResolutionOrTheParents) {
  auto element = Make<TestLabel>([](THIWin& e) {
    e.font = TFontRec{"Arial", 10, kFontBold | kFontUnderline | 0x30, 0x0000FF, 1};
  });
  EXPECT_EQ(element->control->font->FontStyle(), kFontBold | kFontUnderline)
      << "bits above the four are ignored";
  EXPECT_EQ(element->control->font->Colour(), 0x0000FFu);
  LOGFONTA lf{};
  ASSERT_NE(
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(WindowOf(*element), WM_GETFONT, 0, 0)), sizeof lf, &lf),
      0);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfHeight, -13) << "10 points at the 96 dpi of a Wine prefix";
  EXPECT_EQ(FontHeightAtDpi(8, 120), -13) << "the height follows the resolution it is given";
  EXPECT_EQ(lf.lfWeight, FW_BOLD);

  form_->font->SetFontName("Courier New");
  form_->font->SetFontHeight(-20);
  form_->font->SetColour(0x00112233);
  auto child = Make<TestLabel>([](THIWin& e) {
    e.parentFont = true;
    e.font = TFontRec{"Arial", 14, kFontItalic, 0x0000FF, 1};
  });
  EXPECT_TRUE(child->control->font->SameData(*form_->font))
      << "parentFont ignores the record, its colour too";
}

class WinEvents : public FormFixture {
 protected:
  // Makes an element with every event linked to a probe named after it; what Init fired is dropped.
  template <class Element, class Configure>
  std::unique_ptr<Element> MakeWired(Configure configure) {
    const std::pair<THI_Event THIWin::*, const char*> events[] = {
        {&THIWin::onKeyDown, "keydown"},  {&THIWin::onKeyUp, "keyup"},
        {&THIWin::onChar, "char"},        {&THIWin::onMouseDown, "down"},
        {&THIWin::onMouseMove, "move"},   {&THIWin::onMouseUp, "up"},
        {&THIWin::onMouseWheel, "wheel"}, {&THIWin::onFocus, "focus"},
        {&THIWin::onBlur, "blur"},        {&THIWin::onDoubleClick, "dblclick"},
        {&THIWin::onResize, "resize"},    {&THIWin::onShow, "show"},
        {&THIWin::onMove, "moved"},       {&THIWin::onMouseEnter, "enter"},
        {&THIWin::onMouseLeave, "leave"}};
    auto element = Make<Element>([&](THIWin& e) {
      for (const auto& [event, name] : events) {
        probes_.push_back(std::make_unique<ProbeElement>(log_, name));
        e.*event = MakeLink<&ProbeElement::recordPoint>(probes_.back().get());
      }
      configure(e);
    });
    log_.clear();
    return element;
  }
  // Runs one of the control's key events, as the toolkit does for a key message.
  static std::int32_t Key(THIWin& e, KeySlot slot, std::int32_t key) {
    const TKeyEvent& event = slot == KeySlot::kDown ? e.control->onKeyDown
                             : slot == KeySlot::kUp ? e.control->onKeyUp
                                                    : e.control->onChar;
    event.code(event.data, e.control, key, 0);
    return key;
  }

  CallLog log_;
  std::vector<std::unique_ptr<ProbeElement>> probes_;
};

void SwallowKey(void*, TControl*, std::int32_t& key, std::uint32_t) { key = 0; }

// A point that writes the element's key override while keydown runs.
struct KeyOverrider {
  THIWin* element = nullptr;
  std::int32_t value = -1;
  void point(TData&, std::uint16_t) { element->keyOverride = value; }
};

TEST_F(WinEvents, KeysFireWithTheirCodeUnlessTheFormOrTheOverrideSwallowsThem) {
  auto element = MakeWired<TestEdit>([](THIWin&) {});
  EXPECT_EQ(Key(*element, KeySlot::kDown, VK_RETURN), VK_RETURN);
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 'a');
  EXPECT_EQ(Key(*element, KeySlot::kUp, VK_RETURN), VK_RETURN);
  EXPECT_EQ(log_, (CallLog{"keydown:Integer:13", "char:String:a", "keyup:Integer:13"}));

  log_.clear();
  form_->onKeyDown = TKeyEvent{&SwallowKey, nullptr};
  form_->onChar = TKeyEvent{&SwallowKey, nullptr};
  EXPECT_EQ(Key(*element, KeySlot::kDown, 'A'), 0);
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 0);
  EXPECT_TRUE(log_.empty());
  element->keysToForm = false;
  Key(*element, KeySlot::kDown, 'A');
  EXPECT_EQ(log_, (CallLog{"keydown:Integer:65"})) << "without keysToForm the form is not asked";

  log_.clear();
  KeyOverrider overrider{element.get(), 0};  // swallows the key, and so the character that follows it
  element->onKeyDown = MakeLink<&KeyOverrider::point>(&overrider);
  EXPECT_EQ(Key(*element, KeySlot::kDown, 'A'), 0);
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 0);
  EXPECT_TRUE(log_.empty());
  overrider.value = 'B';  // replaces the key; the character still reaches the element
  EXPECT_EQ(Key(*element, KeySlot::kDown, 'A'), 'B');
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 'a');
  EXPECT_EQ(log_, (CallLog{"char:String:a"}));
}

// Every mouse message over the control also means "enter"; every message goes
// on to the hook that was there before.
TEST_F(WinEvents, WindowMessagesFireTheirEvents) {
  constexpr UINT kPrivate = WM_USER + 5;
  static int previousCalls = 0;
  previousCalls = 0;
  auto element = MakeWired<TestLabel>([&](THIWin& e) {
    e.visible = false;
    e.tabOrder = -1;  // not a tab stop: the toolkit leaves WM_SETFOCUS alone
    e.control->onMessage = TMessageEvent{[](void*, TMessage& msg, LRESULT&) {
                                           previousCalls += msg.message == kPrivate;
                                           return false;
                                         },
                                         nullptr};
  });
  SetControlSize(element->control, 90, 30);
  SetControlVisible(element->control, true);
  const std::pair<UINT, WPARAM> messages[] = {{WM_LBUTTONDOWN, MK_LBUTTON},
                                              {WM_LBUTTONUP, 0},
                                              {WM_RBUTTONDOWN, MK_RBUTTON},
                                              {WM_LBUTTONDBLCLK, MK_LBUTTON},
                                              {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))},
                                              {WM_MOUSELEAVE, 0},
                                              {WM_MOVE, 0},
                                              {WM_SETFOCUS, 0},
                                              {WM_KILLFOCUS, 0},
                                              {kPrivate, 0}};
  for (auto [message, keys] : messages) {
    SendMessageA(WindowOf(*element), message, keys, MAKELPARAM(3, 4));
  }
  EXPECT_EQ(element->lastMouseX, 3);
  EXPECT_EQ(element->lastMouseY, 4);
  ASSERT_GE(log_.size(), 3u);
  EXPECT_EQ(log_[2], "enter:NULL:") << "the first mouse message, after resize and show, means enter";
  log_.erase(std::remove(log_.begin(), log_.end(), "enter:NULL:"), log_.end());
  EXPECT_EQ(log_, (CallLog{"resize:NULL:", "show:NULL:", "down:Integer:0", "up:Integer:0", "down:Integer:1",
                           "dblclick:Integer:0", "wheel:Integer:-120",
                           "leave:NULL:", "moved:NULL:", "focus:NULL:", "blur:NULL:"}));
  EXPECT_EQ(previousCalls, 1);
}

TEST_F(WinEvents, SizeLimitLinksCorrectAProposedSize) {
  ProbeElement limit(log_, "limit");
  auto element = MakeWired<TestEdit>(
      [&](THIWin& e) { e.heightLimitLink = MakeLink<&ProbeElement::answerPoint>(&limit); });
  // The answer 0 keeps the proposed height, 5 grows it, NULL leaves the proposal.
  const struct {
    bool null;
    std::int32_t answer;
    int height;
  } rows[] = {{false, 0, 20}, {false, 5, 25}, {true, 0, 50}};
  for (const auto& row : rows) {
    if (row.null) {
      SetNull(limit.answer);
    } else {
      SetInteger(limit.answer, row.answer);
    }
    SetWindowPos(WindowOf(*element), nullptr, 0, 0, 80, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ControlWidth(element->control), 80);
    EXPECT_EQ(ControlHeight(element->control), row.height) << row.null << " " << row.answer;
  }
  EXPECT_EQ(log_, (CallLog{"limit:Integer:30", "resize:NULL:", "limit:Integer:30",
                           "resize:NULL:", "limit:Integer:25", "resize:NULL:"}))
      << "the link is asked with the proposed change";
}

using WinHints = FormFixture;

// That an element without a hint gets no tip is checked on the running program in tests/app.
TEST_F(WinHints, AHintGetsATipOfTheDefaultManagerUntilTheElementGoes) {
  InitHintManagerModule();
  auto element = Make<TestEdit>([](THIWin& e) { e.hint = "Beamwidth in degrees"; });
  element->AttachHint(nullptr);
  EXPECT_EQ(element->hintManager, DefaultHintManager()->GetTipInterface());
  HWND tip = TipWindow(element->hintTip);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(tool.hwnd, WindowOf(*element));
  element.reset();
  EXPECT_FALSE(IsWindow(tip));
}

}  // namespace
}  // namespace lobrin
