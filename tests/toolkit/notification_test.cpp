// Child-control notifications as the system sends them: clicks, changes and
// focus reflected to the child's events, and colour requests answered by the child.
#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/control_fixture.h"
#include "toolkit/control.h"
#include "toolkit/control_paint.h"

namespace lobrin {
namespace {

using testing::ControlTest;

struct Counter {
  int count = 0;
  static void Count(void* data, TControl*) { ++static_cast<Counter*>(data)->count; }
  TNotifyEvent Event() { return TNotifyEvent{&Counter::Count, this}; }
};

class NotificationTest : public ControlTest {};

TEST_F(NotificationTest, AButtonClickFiresTheClickEventOnce) {
  TControl* button = MakeButton(form_, "Calculate");
  Counter clicks;
  button->onClick = clicks.Event();
  HWND hwnd = HandleOf(button);
  ASSERT_NE(hwnd, nullptr);

  SendMessageA(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks.count, 1) << "BM_CLICK: the system's BN_CLICKED reaches the button once";

  SendMessageA(HandleOf(form_), WM_COMMAND, MAKEWPARAM(button->controlId, BN_CLICKED),
               reinterpret_cast<LPARAM>(hwnd));
  EXPECT_EQ(clicks.count, 2) << "WM_COMMAND to the parent";

  // A focus change made by the toolkit itself never counts as a click.
  ++button->focusGuard;
  SendMessageA(HandleOf(form_), WM_COMMAND, MAKEWPARAM(button->controlId, BN_CLICKED),
               reinterpret_cast<LPARAM>(hwnd));
  --button->focusGuard;
  EXPECT_EQ(clicks.count, 2);
}

TEST_F(NotificationTest, ALabelClickFiresItsClickEvent) {
  TControl* label = MakeLabel(form_, "Info");
  Counter clicks;
  label->onClick = clicks.Event();
  SendMessageA(HandleOf(form_), WM_COMMAND, MAKEWPARAM(label->controlId, STN_CLICKED),
               reinterpret_cast<LPARAM>(HandleOf(label)));
  EXPECT_EQ(clicks.count, 1);
}

TEST_F(NotificationTest, TypingIntoAnEditFiresTheChangeEvent) {
  TControl* edit = MakeEdit(form_, 0);
  Counter changes;
  Counter clicks;
  edit->onChange = changes.Event();
  edit->onClick = clicks.Event();
  HWND hwnd = HandleOf(edit);
  ASSERT_NE(hwnd, nullptr);

  SendMessageA(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("145"));
  EXPECT_EQ(changes.count, 1);
  SendMessageA(hwnd, WM_CHAR, '7', 0);
  EXPECT_EQ(changes.count, 1) << "key messages reach only the focused control";
  ShowAndFocusForm();
  SetFocus(hwnd);
  SendMessageA(hwnd, WM_CHAR, '7', 0);
  EXPECT_EQ(changes.count, 2);
  EXPECT_EQ(GetControlText(edit), "1457");
  SetControlText(edit, "2.5");
  EXPECT_EQ(changes.count, 3);
  EXPECT_EQ(clicks.count, 0) << "no edit notification means clicked";
}

TEST_F(NotificationTest, EditFocusNotificationsFireFocusEvents) {
  TControl* edit = MakeEdit(form_, 0);
  Counter gained, lost;
  edit->onFocusGained = gained.Event();
  edit->onFocusLost = lost.Event();
  HWND hwnd = HandleOf(edit);
  HWND formHandle = HandleOf(form_);
  SendMessageA(formHandle, WM_COMMAND, MAKEWPARAM(edit->controlId, EN_SETFOCUS), reinterpret_cast<LPARAM>(hwnd));
  SendMessageA(formHandle, WM_COMMAND, MAKEWPARAM(edit->controlId, EN_KILLFOCUS), reinterpret_cast<LPARAM>(hwnd));
  EXPECT_EQ(gained.count, 1);
  EXPECT_EQ(lost.count, 1);
}

TEST_F(NotificationTest, ColourRequestsAreAnsweredWithTheControlsColoursAndBrush) {
  const COLORREF text = RGB(10, 20, 30);
  const COLORREF background = RGB(200, 100, 50);
  const struct {
    const char* kind;
    UINT request;
    bool transparent;
  } cases[] = {
      {"label", WM_CTLCOLORSTATIC, false},
      {"label", WM_CTLCOLORSTATIC, true},
      {"edit", WM_CTLCOLOREDIT, false},
      {"button", WM_CTLCOLORBTN, false},
  };
  for (const auto& c : cases) {
    const std::string kind = c.kind;
    TControl* control = kind == "label" ? MakeLabel(form_, "Metres") : kind == "edit" ? MakeEdit(form_, 0)
                                                                                    : MakeButton(form_, "OK");
    control->font->SetColour(text);
    SetControlColour(control, background);
    SetControlTransparent(control, c.transparent);
    HWND hwnd = HandleOf(control);
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, RGB(1, 2, 3));
    const LRESULT answer =
        SendMessageA(HandleOf(form_), c.request, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(GetTextColor(dc), text) << kind;
    if (c.transparent) {
      EXPECT_EQ(reinterpret_cast<HGDIOBJ>(answer), GetStockObject(NULL_BRUSH)) << kind;
      EXPECT_EQ(GetBkMode(dc), TRANSPARENT) << kind;
    } else {
      EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), ControlBackgroundBrush(control)) << kind;
      LOGBRUSH brush = {};
      ASSERT_NE(GetObjectA(reinterpret_cast<HBRUSH>(answer), sizeof(brush), &brush), 0) << kind;
      EXPECT_EQ(brush.lbColor, background) << kind;
      EXPECT_EQ(GetBkMode(dc), OPAQUE) << kind;
      EXPECT_EQ(GetBkColor(dc), background) << kind;
    }
    DeleteDC(dc);
    control->Free();
  }
}

TEST_F(NotificationTest, EqualBackgroundsShareTheParentsBrush) {
  TControl* first = MakeLabel(form_, "one");
  TControl* second = MakeLabel(form_, "two");
  EXPECT_EQ(ControlBackgroundBrush(first), ControlBackgroundBrush(form_));
  EXPECT_EQ(ControlBackgroundBrush(second), ControlBackgroundBrush(form_));
  SetControlColour(second, RGB(0, 128, 0));
  EXPECT_NE(ControlBackgroundBrush(second), ControlBackgroundBrush(form_));
  EXPECT_EQ(second->backgroundColour, RGB(0, 128, 0));
}

}  // namespace
}  // namespace lobrin
