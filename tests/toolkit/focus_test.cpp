// Keyboard navigation between the tab stops of a visible, focused form: the key
// messages are sent to the focused control as the system would deliver them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/control_fixture.h"
#include "toolkit/control.h"
#include "toolkit/focus.h"

namespace lobrin {
namespace {

using testing::ControlTest;

class FocusTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    EnableKeyNavigation(form_);
  }

  // Presses a key in the focused control and answers the control that has the focus then.
  TControl* Press(int key, bool shift = false, UINT message = WM_KEYDOWN) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(GetFocus(), message, static_cast<WPARAM>(key), 1);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return Focused();
  }

  TControl* Focused() { return ControlOfWindow(GetFocus()); }

  // The controls reached by pressing `key` `n` times, from the focused one.
  std::vector<TControl*> Walk(int key, int n, bool shift = false) {
    std::vector<TControl*> visited;
    for (int i = 0; i < n; ++i) visited.push_back(Press(key, shift));
    return visited;
  }

  void Start(TControl* control) {
    ShowAndFocusForm();
    FocusControl(control);
    ASSERT_EQ(Focused(), control);
  }
};

TEST_F(FocusTest, TheFirstTabStopMadeReceivesTheFocusWhenTheFormGetsIt) {
  MakeLabel(form_, "not a tab stop");
  TControl* first = MakeEdit(form_, 0);
  MakeEdit(form_, 0);
  EXPECT_EQ(form_->currentControl, first);
  ShowAndFocusForm();
  EXPECT_EQ(Focused(), first);
}

TEST_F(FocusTest, TabAndShiftTabWrapAroundByTabOrderSkippingWhatCannotTakeTheFocus) {
  TControl* a = MakeEdit(form_, 0);
  TControl* b = MakeButton(form_, "b");
  TControl* hidden = MakeEdit(form_, 0);
  TControl* c = MakeEdit(form_, 0);
  TControl* disabled = MakeButton(form_, "disabled");
  TControl* notTabStop = MakeEdit(form_, 0);
  TControl* noStyle = MakeEdit(form_, 0);
  TControl* d = MakeButton(form_, "d");
  SetControlVisible(hidden, false);
  SetControlEnabled(disabled, false);
  SetTabStop(notTabStop, false);
  SetControlStyle(noStyle, noStyle->style & ~static_cast<DWORD>(WS_TABSTOP));
  // Creation order gave the tab orders; make the button d come first.
  d->tabOrder = 0;
  Start(a);
  EXPECT_EQ(Walk(VK_TAB, 5), (std::vector<TControl*>{b, c, d, a, b}));
  EXPECT_EQ(Walk(VK_TAB, 4, true), (std::vector<TControl*>{a, d, c, b}));
}

TEST_F(FocusTest, EqualTabOrdersAreVisitedInDiscoveryOrder) {
  TControl* a = MakeEdit(form_, 0);
  TControl* b = MakeEdit(form_, 0);
  TControl* c = MakeEdit(form_, 0);
  TControl* d = MakeEdit(form_, 0);
  a->tabOrder = 1;
  b->tabOrder = 5;
  c->tabOrder = 5;
  d->tabOrder = 9;
  Start(a);
  EXPECT_EQ(Walk(VK_TAB, 4), (std::vector<TControl*>{b, c, d, a}));
  EXPECT_EQ(Walk(VK_TAB, 4, true), (std::vector<TControl*>{d, c, b, a}));
}

TEST_F(FocusTest, FocusKeysDecideWhichKeysLeaveAControl) {
  TControl* before = MakeEdit(form_, 0);
  TControl* edit = MakeEdit(form_, 0);
  TControl* after = MakeEdit(form_, 0);
  ASSERT_EQ(edit->focusKeys, kFocusKeyTab | kFocusKeyUpDown | kFocusKeyPage);  // 13
  const struct {
    int key;
    TControl* expected;
  } cases[] = {
      {VK_LEFT, edit}, {VK_RIGHT, edit},  // the caret keys stay inside the edit
      {VK_UP, before}, {VK_DOWN, after}, {VK_PRIOR, before}, {VK_NEXT, after}, {VK_TAB, after},
  };
  for (const auto& c : cases) {
    Start(edit);
    EXPECT_EQ(Press(c.key), c.expected) << "key " << c.key;
  }
  Start(edit);
  EXPECT_EQ(Press(VK_TAB, false, WM_KEYUP), edit) << "a key release never moves the focus";
}

TEST_F(FocusTest, ATabCharacterNeverReachesAControl) {
  TControl* edit = MakeEdit(form_, 1u << kEditMultiLine);
  Start(edit);
  SendMessageA(HandleOf(edit), WM_CHAR, VK_TAB, 1);
  SendMessageA(HandleOf(edit), WM_CHAR, 'x', 1);
  EXPECT_EQ(GetControlText(edit), "x");
}

TEST_F(FocusTest, SettingATabOrderMovesTheOthersUp) {
  TControl* a = MakeEdit(form_, 0);  // tab orders 1, 2, 3 from creation
  TControl* b = MakeEdit(form_, 0);
  TControl* c = MakeEdit(form_, 0);
  SetControlVisible(form_, true);  // only the tab stops of a visible form are collected
  SetTabOrder(c, 2);
  EXPECT_EQ(a->tabOrder, 1);
  EXPECT_EQ(c->tabOrder, 2);
  EXPECT_EQ(b->tabOrder, 3);
}

TEST_F(FocusTest, EnterClicksTheDefaultButtonUnlessTheFocusedControlTakesEnter) {
  struct Clicks {
    int count = 0;
    static void Count(void* data, TControl*) { ++static_cast<Clicks*>(data)->count; }
  } clicks;
  TControl* edit = MakeEdit(form_, 0);
  TControl* memo = MakeEdit(form_, 1u << kEditMultiLine);
  TControl* button = MakeButton(form_, "OK");
  button->onClick = TNotifyEvent{&Clicks::Count, &clicks};
  SetDialogButton(button, kKeyEnter, true);
  EXPECT_EQ(form_->defaultButton, button);
  EXPECT_NE(button->style & BS_DEFPUSHBUTTON, 0u);
  LoopRunning = true;  // the filter runs as the application window's message event

  Start(memo);
  Press(VK_RETURN);
  Press(VK_RETURN, false, WM_KEYUP);
  EXPECT_EQ(clicks.count, 0) << "a multi-line edit keeps its Enter";

  Start(edit);
  Press(VK_RETURN);
  Press(VK_RETURN, false, WM_KEYUP);
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(Focused(), button);

  SetDialogButton(button, kKeyEnter, false);
  EXPECT_EQ(form_->defaultButton, nullptr);
  EXPECT_FALSE(app_->onMessage) << "switching off puts the earlier (empty) event back";
  LoopRunning = false;
}

}  // namespace
}  // namespace lobrin
