// Child-control notifications as the system sends them: clicks, changes and
// focus reflected to the child's events, colour requests answered by the child.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/form_fixture.h"
#include "toolkit/control_paint.h"

namespace lobrin {
namespace {

TNotifyEvent Counting(int& count) {
  return TNotifyEvent{[](void* n, TControl*) { ++*static_cast<int*>(n); }, &count};
}

class NotificationTest : public testing::FormTest {
 protected:
  void Notify(TControl* child, WORD code) {
    SendMessageA(HandleOf(form_), WM_COMMAND, MAKEWPARAM(child->controlId, code),
                 reinterpret_cast<LPARAM>(HandleOf(child)));
  }
};

// Clicks themselves reach the button and picture elements' tests.
TEST_F(NotificationTest, AClickReportedWhileTheToolkitMovesTheFocusIsNoClick) {
  TControl* button = MakeButton(form_, "Calculate");
  int clicks = 0;
  button->onClick = Counting(clicks);
  ++button->focusGuard;
  Notify(button, BN_CLICKED);
  --button->focusGuard;
  Notify(button, BN_CLICKED);
  EXPECT_EQ(clicks, 1) << "only the click after the move counts";
}

// Typed and set texts reaching an edit's change event are checked with the edit element.
TEST_F(NotificationTest, AnEditReportsChangesAndFocusButNoClicks) {
  TControl* edit = MakeEdit(form_, 0);
  int changes = 0, clicks = 0, gained = 0, lost = 0;
  edit->onChange = Counting(changes);
  edit->onClick = Counting(clicks);
  edit->onFocusGained = Counting(gained);
  edit->onFocusLost = Counting(lost);
  SendMessageA(HandleOf(edit), WM_CHAR, '7', 0);  // key messages reach only the focused control: no change
  SetControlText(edit, "2.5");
  Notify(edit, EN_SETFOCUS);
  Notify(edit, EN_KILLFOCUS);
  // No edit notification means clicked.
  EXPECT_EQ((std::vector<int>{changes, clicks, gained, lost}), (std::vector<int>{1, 0, 1, 1}));
}

TEST_F(NotificationTest, ColourRequestsAreAnsweredWithTheControlsColoursAndBrush) {
  EXPECT_EQ(ControlBackgroundBrush(MakeLabel(form_, "one")), ControlBackgroundBrush(form_))
      << "an equal background shares the parent's brush";
  const COLORREF text = RGB(10, 20, 30), background = RGB(200, 100, 50);
  const struct {
    const char* kind;
    TControl* (*make)(TControl* form);
    UINT request;
    bool transparent;
  } rows[] = {{"label", [](TControl* form) { return MakeLabel(form, "Metres"); }, WM_CTLCOLORSTATIC, false},
              {"transparent label", [](TControl* form) { return MakeLabel(form, "Metres"); },
               WM_CTLCOLORSTATIC, true},
              {"edit", [](TControl* form) { return MakeEdit(form, 0); }, WM_CTLCOLOREDIT, false},
              {"button", [](TControl* form) { return MakeButton(form, "OK"); }, WM_CTLCOLORBTN, false}};
  for (const auto& row : rows) {
    TControl* control = row.make(form_);
    control->font->SetColour(text);
    SetControlColour(control, background);
    SetControlTransparent(control, row.transparent);
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, RGB(1, 2, 3));
    const auto answer =
        reinterpret_cast<HBRUSH>(SendMessageA(HandleOf(form_), row.request, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(HandleOf(control))));
    EXPECT_EQ(GetTextColor(dc), text) << row.kind;
    EXPECT_EQ(GetBkMode(dc), row.transparent ? TRANSPARENT : OPAQUE) << row.kind;
    if (row.transparent) {
      EXPECT_EQ(answer, GetStockObject(NULL_BRUSH)) << row.kind;
    } else {
      LOGBRUSH brush = {};
      GetObjectA(answer, sizeof(brush), &brush);
      EXPECT_EQ(brush.lbColor, background) << row.kind;
      EXPECT_EQ(GetBkColor(dc), background) << row.kind;
    }
    DeleteDC(dc);
    control->Free();
  }
}

}  // namespace
}  // namespace lobrin
