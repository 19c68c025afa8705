#include "elements/win/win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "elements/font_height.h"
#include "tests/elements/win_fixture.h"
#include "tests/support/probe_element.h"
#include "toolkit/graphic_tool.h"

namespace lobrin {
namespace {

using testing::CallLog;
using testing::FormFixture;
using testing::ProbeElement;
using testing::TestEdit;
using testing::TestLabel;

HWND WindowOf(const THIWin& element) { return element.control->handle; }
DWORD StyleOf(const THIWin& element) { return GetWindowLongA(WindowOf(element), GWL_STYLE); }
DWORD ExStyleOf(const THIWin& element) { return GetWindowLongA(WindowOf(element), GWL_EXSTYLE); }

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// ---------------------------------------------------------------------------
// Init
// ---------------------------------------------------------------------------

using WinInit = FormFixture;

TEST_F(WinInit, EdgeStyleAndEdgeKindOnTheRealWindow) {
  constexpr DWORD kEdgeBits = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
  struct Case {
    const char* what;
    bool edit;
    std::uint8_t edgeStyle, edgeKind;
    DWORD edge;   // expected edge bits of the extended style
    bool border;  // expected WS_BORDER
  };
  const Case cases[] = {
      {"edit, sunken: keeps its client edge", true, 0, 0, WS_EX_CLIENTEDGE, false},
      {"edit, sunken, kind 1: no edge", true, 0, 1, 0, false},
      {"edit, sunken, kind 2: exactly the static edge", true, 0, 2, WS_EX_STATICEDGE, false},
      {"edit, sunken, kind 3: dialog frame", true, 0, 3, WS_EX_DLGMODALFRAME, false},
      {"edit, sunken, kind 4: client edge and dialog frame", true, 0, 4,
       WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, false},
      {"edit, single: a border instead of the client edge", true, 1, 2, 0, true},
      {"edit, own edge: the kind is ignored", true, 2, 2, WS_EX_CLIENTEDGE, false},
      {"label, single: nothing changes", false, 1, 0, 0, false},
      {"label, sunken: a client edge", false, 0, 0, WS_EX_CLIENTEDGE, false},
  };
  for (const Case& c : cases) {
    auto configure = [&](THIWin& e) {
      e.edgeStyle = c.edgeStyle;
      e.edgeKind = c.edgeKind;
    };
    std::unique_ptr<THIWin> element;
    if (c.edit) element = Make<TestEdit>(configure);
    else element = Make<TestLabel>(configure);
    EXPECT_EQ(ExStyleOf(*element) & kEdgeBits, c.edge) << c.what;
    // The system edit draws a WS_BORDER itself, so the border is read from the control's record.
    EXPECT_EQ((element->control->style & WS_BORDER) != 0, c.border) << c.what;
    if (c.edgeStyle == 0 && c.edgeKind != 0) {
      EXPECT_EQ(element->control->exStyle, c.edge) << c.what << ": the kind replaces the whole style";
    }
  }
}

TEST_F(WinInit, TabOrders) {
  SetControlVisible(form_, true);  // tab stops are collected from a visible form
  TControl* first = MakeEdit(form_, 0);
  TControl* second = MakeEdit(form_, 0);
  TControl* third = MakeEdit(form_, 0);
  ASSERT_EQ(third->tabOrder, 3);
  for (TControl* c : {first, second, third}) HandleOf(c);

  auto asMade = Make<TestEdit>([](THIWin& e) { e.tabOrder = 0; });
  EXPECT_TRUE(asMade->control->tabStop);
  EXPECT_EQ(asMade->control->tabOrder, 4) << "0 keeps the order given at creation";

  auto outOfSequence = Make<TestEdit>([](THIWin& e) { e.tabOrder = -1; });
  EXPECT_FALSE(outOfSequence->control->tabStop);

  auto third3 = Make<TestLabel>([](THIWin& e) { e.tabOrder = 3; });
  EXPECT_EQ(third3->control->tabOrder, 3);
  EXPECT_NE(StyleOf(*third3) & WS_TABSTOP, 0u);
  EXPECT_EQ(third3->control->focusKeys, kFocusKeyTab);
  EXPECT_EQ(first->tabOrder, 1);
  EXPECT_EQ(second->tabOrder, 2);
  EXPECT_EQ(third->tabOrder, 4) << "tab stops at or above 3 move up by one";
  EXPECT_EQ(asMade->control->tabOrder, 5);
}

TEST_F(WinInit, FontFromTheRecordAtTheScreenResolution) {
  auto element = Make<TestLabel>([](THIWin& e) {
    e.font = TFontRec{"Arial", 10, kFontBold | kFontUnderline | 0x30, 0x0000FF, 1};
  });
  TGraphicTool* tool = element->control->font;
  const int expectedHeight = -((10 * ScreenDpi() + 36) / 72);
  EXPECT_EQ(tool->FontName(), "Arial");
  EXPECT_EQ(tool->FontHeight(), expectedHeight);
  EXPECT_EQ(tool->FontStyle(), kFontBold | kFontUnderline) << "bits above the four are ignored";
  EXPECT_EQ(tool->Colour(), 0x0000FFu);
  EXPECT_EQ(tool->FontCharset(), 1);

  auto font = reinterpret_cast<HFONT>(SendMessageA(WindowOf(*element), WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  ASSERT_NE(GetObjectA(font, sizeof lf, &lf), 0);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfHeight, expectedHeight);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST_F(WinInit, ParentFontIgnoresTheRecordEvenItsColour) {
  form_->font->SetFontName("Courier New");
  form_->font->SetFontHeight(-20);
  form_->font->SetColour(0x00112233);
  auto element = Make<TestLabel>([](THIWin& e) {
    e.parentFont = true;
    e.font = TFontRec{"Arial", 14, kFontItalic, 0x0000FF, 1};
  });
  EXPECT_TRUE(element->control->font->SameData(*form_->font));
}

TEST_F(WinInit, BoundsVisibilityAndStackingOrder) {
  auto earlier = Make<TestLabel>([](THIWin& e) {
    e.left = 5;
    e.top = 6;
    e.width = 70;
    e.height = 25;
  });
  auto later = Make<TestEdit>([](THIWin& e) { e.visible = false; });
  RECT bounds = ControlBounds(earlier->control);
  EXPECT_EQ(bounds.left, 5);
  EXPECT_EQ(bounds.top, 6);
  EXPECT_EQ(bounds.right, 75);
  EXPECT_EQ(bounds.bottom, 31);
  EXPECT_NE(StyleOf(*earlier) & WS_VISIBLE, 0u);
  EXPECT_EQ(StyleOf(*later) & WS_VISIBLE, 0u);
  EXPECT_EQ(GetWindow(form_->handle, GW_CHILD), WindowOf(*later)) << "the later element lies on top";
  EXPECT_EQ(earlier->GetInterface()(), earlier->control);
}

TEST_F(WinInit, ControlFreedByTheToolkitIsLeftAlone) {
  auto element = Make<TestLabel>([](THIWin&) {});
  TControl* form = form_;
  form_ = nullptr;
  form->Free();  // frees its children, the element's control among them
  EXPECT_TRUE(element->controlGone);
  element.reset();  // must not touch the freed control
}

// ---------------------------------------------------------------------------
// Events
// ---------------------------------------------------------------------------

class WinEvents : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    EnableLinks();
  }
  // Links every event of `element` to a probe named after it.
  void Wire(THIWin& e) {
    struct Row {
      THI_Event THIWin::*event;
      const char* name;
    };
    const Row rows[] = {
        {&THIWin::onKeyDown, "keydown"},     {&THIWin::onKeyUp, "keyup"},
        {&THIWin::onChar, "char"},           {&THIWin::onMouseDown, "down"},
        {&THIWin::onMouseMove, "move"},      {&THIWin::onMouseUp, "up"},
        {&THIWin::onMouseWheel, "wheel"},    {&THIWin::onFocus, "focus"},
        {&THIWin::onBlur, "blur"},           {&THIWin::onDoubleClick, "dblclick"},
        {&THIWin::onResize, "resize"},       {&THIWin::onShow, "show"},
        {&THIWin::onMove, "moved"},          {&THIWin::onMouseEnter, "enter"},
        {&THIWin::onMouseLeave, "leave"},
    };
    for (const Row& row : rows) {
      probes_.push_back(std::make_unique<ProbeElement>(log_, row.name));
      e.*row.event = MakeLink<&ProbeElement::recordPoint>(probes_.back().get());
    }
  }
  // Makes an element with every event wired; what Init itself fired is dropped.
  template <class Element, class Configure>
  std::unique_ptr<Element> MakeWired(Configure configure) {
    auto element = Make<Element>([&](THIWin& e) {
      Wire(e);
      configure(e);
    });
    log_.clear();
    return element;
  }
  // The log without the mouse-enter entries that every mouse message adds.
  CallLog WithoutEnter() const {
    CallLog out;
    for (const std::string& entry : log_)
      if (entry.rfind("enter:", 0) != 0) out.push_back(entry);
    return out;
  }
  // Runs one of the control's key events, as the toolkit does for a key message.
  static std::int32_t Key(THIWin& e, KeySlot slot, std::int32_t key) {
    TControl* c = e.control;
    const TKeyEvent& event = slot == KeySlot::kDown ? c->onKeyDown
                             : slot == KeySlot::kUp ? c->onKeyUp
                                                    : c->onChar;
    event.code(event.data, c, key, 0);
    return key;
  }

  CallLog log_;
  std::vector<std::unique_ptr<ProbeElement>> probes_;
};

TEST_F(WinEvents, KeysFireWithTheirCodeAndCharacter) {
  auto element = MakeWired<TestEdit>([](THIWin&) {});
  EXPECT_EQ(Key(*element, KeySlot::kDown, VK_RETURN), VK_RETURN);
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 'a');
  EXPECT_EQ(Key(*element, KeySlot::kUp, VK_RETURN), VK_RETURN);
  EXPECT_EQ(log_, (CallLog{"keydown:Integer:13", "char:String:a", "keyup:Integer:13"}));
}

void SwallowKey(void*, TControl*, std::int32_t& key, std::uint32_t) { key = 0; }

TEST_F(WinEvents, FormHandlerThatSwallowsTheKeyKeepsItFromTheElement) {
  form_->onKeyDown = TKeyEvent{&SwallowKey, nullptr};
  form_->onChar = TKeyEvent{&SwallowKey, nullptr};
  auto element = MakeWired<TestEdit>([](THIWin&) {});
  EXPECT_EQ(Key(*element, KeySlot::kDown, 'A'), 0);
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 0);
  EXPECT_TRUE(log_.empty());

  element->keysToForm = false;
  Key(*element, KeySlot::kDown, 'A');
  EXPECT_EQ(log_, (CallLog{"keydown:Integer:65"})) << "without keysToForm the form is not asked";
}

// A point that writes the element's key override while an event runs.
class KeyOverrider {
 public:
  THIWin* element = nullptr;
  std::int32_t value = -1;
  void point(TData&, std::uint16_t) { element->keyOverride = value; }
};

TEST_F(WinEvents, KeyOverrideWrittenDuringKeyDown) {
  KeyOverrider overrider;
  auto element = MakeWired<TestEdit>([&](THIWin& e) {
    e.onKeyDown = MakeLink<&KeyOverrider::point>(&overrider);
  });
  overrider.element = element.get();

  overrider.value = 0;  // swallow the key, and so the character that follows it
  EXPECT_EQ(Key(*element, KeySlot::kDown, 'A'), 0);
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 0);
  EXPECT_TRUE(log_.empty());

  overrider.value = 'B';  // replace the key; the character still reaches the element
  EXPECT_EQ(Key(*element, KeySlot::kDown, 'A'), 'B');
  EXPECT_EQ(Key(*element, KeySlot::kChar, 'a'), 'a');
  EXPECT_EQ(log_, (CallLog{"char:String:a"}));
}

TEST_F(WinEvents, MouseButtonsMovesAndWheel) {
  auto element = MakeWired<TestLabel>([](THIWin&) {});
  HWND w = WindowOf(*element);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  EXPECT_EQ(element->lastMouseButton, 1);
  EXPECT_EQ(element->lastMouseX, 3);
  EXPECT_EQ(element->lastMouseY, 4);
  // Each move reports the button held at the notification before it.
  for (WPARAM keys : {MK_LBUTTON, MK_LBUTTON | MK_CONTROL, MK_RBUTTON, MK_MBUTTON, 0, 0})
    SendMessageA(w, WM_MOUSEMOVE, keys, MAKELPARAM(5, 6));
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
  SendMessageA(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
  SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6));
  EXPECT_EQ(element->lastMouseButton, 2) << "a double click stores nothing";
  SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)),
               MAKELPARAM(50, 60));
  SendMessageA(w, WM_MOUSELEAVE, 0, 0);
  const CallLog expected = {"down:Integer:0",  "move:Integer:0",     "move:Integer:0",
                            "move:Integer:-1", "move:Integer:1",     "move:Integer:2",
                            "move:Integer:-1", "up:Integer:0",       "down:Integer:1",
                            "dblclick:Integer:0", "wheel:Integer:-120", "leave:NULL:"};
  EXPECT_EQ(WithoutEnter(), expected);
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_.front(), "enter:NULL:") << "a mouse message over the control means enter";
}

TEST_F(WinEvents, FocusMoveAndPreviousMessageHook) {
  constexpr UINT kPrivate = WM_USER + 5;
  static int previousCalls = 0;
  previousCalls = 0;
  auto element = MakeWired<TestLabel>([&](THIWin& e) {
    e.tabOrder = -1;  // not a tab stop: the toolkit leaves WM_SETFOCUS alone
    e.control->onMessage = TMessageEvent{[](void*, TMessage& msg, LRESULT&) {
                                           previousCalls += msg.message == kPrivate;
                                           return false;
                                         },
                                         nullptr};
  });
  HWND w = WindowOf(*element);
  SendMessageA(w, WM_MOVE, 0, 0);
  SendMessageA(w, WM_SETFOCUS, 0, 0);
  SendMessageA(w, WM_KILLFOCUS, 0, 0);
  SendMessageA(w, kPrivate, 0, 0);
  EXPECT_EQ(log_, (CallLog{"moved:NULL:", "focus:NULL:", "blur:NULL:"}));
  EXPECT_EQ(previousCalls, 1) << "every message goes on to the hook that was there before";
}

TEST_F(WinEvents, SizeLimitLinksCorrectAProposedSize) {
  ProbeElement limit(log_, "limit");
  auto element = MakeWired<TestEdit>([&](THIWin& e) {
    e.heightLimitLink = MakeLink<&ProbeElement::answerPoint>(&limit);
    e.width = 60;
    e.height = 20;
  });
  HWND w = WindowOf(*element);
  auto resizeTo = [&](int width, int height) {
    SetWindowPos(w, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return std::make_pair(ControlWidth(element->control), ControlHeight(element->control));
  };
  SetInteger(limit.answer, 0);
  EXPECT_EQ(resizeTo(80, 50), std::make_pair(80, 20)) << "Integer 0 keeps the height";
  SetInteger(limit.answer, 5);
  EXPECT_EQ(resizeTo(80, 50), std::make_pair(80, 25)) << "Integer 5 grows it by 5";
  SetNull(limit.answer);
  EXPECT_EQ(resizeTo(80, 50), std::make_pair(80, 50)) << "NULL leaves the proposal";
  const CallLog expected = {"limit:Integer:30", "resize:NULL:", "limit:Integer:30",
                            "resize:NULL:",     "limit:Integer:25", "resize:NULL:"};
  EXPECT_EQ(log_, expected) << "the link is asked with the proposed change";
}

TEST_F(WinEvents, ResizeAndShow) {
  auto element = MakeWired<TestLabel>([](THIWin& e) { e.visible = false; });
  SetControlSize(element->control, 90, 30);
  SetControlVisible(element->control, true);
  EXPECT_EQ(log_, (CallLog{"resize:NULL:", "show:NULL:"}));
}

// ---------------------------------------------------------------------------
// Hints
// ---------------------------------------------------------------------------

// The tooltip windows of this thread whose first tool is `control`.
std::vector<HWND> TooltipsOf(HWND control) {
  struct Search {
    HWND control;
    std::vector<HWND> found;
  } search{control, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char name[32] = {};
        GetClassNameA(w, name, sizeof name);
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        if (std::string(name) == TOOLTIPS_CLASSA &&
            SendMessageA(w, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) &&
            tool.hwnd == s->control)
          s->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

using WinHints = FormFixture;

TEST_F(WinHints, EmptyHintGetsNoTip) {
  InitHintManagerModule();
  auto element = Make<TestLabel>([](THIWin&) {});
  element->AttachHint(nullptr);
  EXPECT_EQ(element->hintTip, nullptr);
  EXPECT_EQ(element->hintManager, nullptr);
  EXPECT_TRUE(TooltipsOf(WindowOf(*element)).empty());
}

TEST_F(WinHints, HintGetsATipOfTheDefaultManagerUntilTheElementGoes) {
  InitHintManagerModule();
  auto element = Make<TestEdit>([](THIWin& e) { e.hint = "Beamwidth in degrees"; });
  element->AttachHint(nullptr);
  EXPECT_EQ(element->hintManager, DefaultHintManager()->GetTipInterface());
  std::vector<HWND> tips = TooltipsOf(WindowOf(*element));
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(SendMessageA(tips[0], TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessageA(tips[0], TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
  element.reset();
  EXPECT_FALSE(IsWindow(tips[0]));
}

}  // namespace
}  // namespace lobrin
