// Keyboard navigation between the tab stops of a visible, focused form: the key
// messages are sent to the focused control as the system would deliver them.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/form_fixture.h"
#include "toolkit/focus.h"

namespace lobrin {
namespace {

using Controls = std::vector<TControl*>;

class FocusTest : public testing::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    EnableKeyNavigation(form_);
  }
  // Presses a key in the focused control and answers the control focused then.
  TControl* Press(int key, UINT message = WM_KEYDOWN) {
    SendMessageA(GetFocus(), message, static_cast<WPARAM>(key), 1);
    return ControlOfWindow(GetFocus());
  }
  void Start(TControl* control) {
    ShowAndFocusForm();
    FocusControl(control);
    ASSERT_EQ(ControlOfWindow(GetFocus()), control);
  }
};

// Shift+Tab and the order of the calculator's own tab stops are played with real keys in tests/app.
TEST_F(FocusTest, TabWrapsAroundByTabOrderSkippingWhatCannotTakeTheFocus) {
  MakeLabel(form_, "not a tab stop");
  TControl* a = MakeEdit(form_, 0);
  TControl* b = MakeButton(form_, "b");
  SetControlVisible(MakeEdit(form_, 0), false);
  TControl* c = MakeEdit(form_, 0);
  SetControlEnabled(MakeButton(form_, "disabled"), false);
  SetTabStop(MakeEdit(form_, 0), false);
  TControl* noStyle = MakeEdit(form_, 0);
  SetControlStyle(noStyle, noStyle->style & ~static_cast<DWORD>(WS_TABSTOP));
  TControl* d = MakeButton(form_, "d");
  d->tabOrder = 0;  // before the order creation gave the others
  ShowAndFocusForm();
  EXPECT_EQ(ControlOfWindow(GetFocus()), a) << "the first tab stop made takes the form's focus";
  Controls visited;
  for (int i = 0; i < 5; ++i) {
    visited.push_back(Press(VK_TAB));
  }
  EXPECT_EQ(visited, (Controls{b, c, d, a, b}));
}

TEST_F(FocusTest, FocusKeysDecideWhichKeysLeaveAnEdit) {
  TControl* before = MakeEdit(form_, 0);
  TControl* edit = MakeEdit(form_, 0);
  TControl* after = MakeEdit(form_, 0);
  TControl* memo = MakeEdit(form_, 1u << kEditMultiLine);
  const struct {
    int key;
    TControl* expected;
    UINT message = WM_KEYDOWN;
  } rows[] = {{VK_LEFT, edit},  {VK_RIGHT, edit},        {VK_UP, before},
              {VK_DOWN, after}, {VK_PRIOR, before},      {VK_NEXT, after},
              {VK_TAB, after},  {VK_TAB, edit, WM_KEYUP}};  // a key release never moves the focus
  for (const auto& row : rows) {
    Start(edit);
    EXPECT_EQ(Press(row.key, row.message), row.expected) << "key " << row.key << ", message " << row.message;
  }
  Start(memo);
  SendMessageA(HandleOf(memo), WM_CHAR, VK_TAB, 1);
  SendMessageA(HandleOf(memo), WM_CHAR, 'x', 1);
  EXPECT_EQ(GetControlText(memo), "x") << "a tab character never reaches a control";
}

TEST_F(FocusTest, EnterClicksTheDefaultButtonUnlessTheFocusedControlTakesEnter) {
  int clicks = 0;
  TControl* edit = MakeEdit(form_, 0);
  TControl* memo = MakeEdit(form_, 1u << kEditMultiLine);
  TControl* button = MakeButton(form_, "OK");
  button->onClick = TNotifyEvent{[](void* n, TControl*) { ++*static_cast<int*>(n); }, &clicks};
  SetDialogButton(button, kKeyEnter, true);
  Application().loopRunning = true;  // the filter runs as the application window's message event
  for (TControl* focused : {memo, edit}) {
    Start(focused);
    Press(VK_RETURN);
    Press(VK_RETURN, WM_KEYUP);
  }
  EXPECT_EQ(clicks, 1) << "a multi-line edit keeps its Enter";
  EXPECT_EQ(ControlOfWindow(GetFocus()), button);
  SetDialogButton(button, kKeyEnter, false);
  EXPECT_FALSE(app_->onMessage) << "switching off puts the earlier (empty) event back";
}

}  // namespace
}  // namespace lobrin
