#include "elements/win/button.h"

#include "toolkit/focus.h"

namespace lobrin {

namespace {
constexpr DWORD kMultiLineCaptionStyle = BS_MULTILINE;
}  // namespace

THIButton::~THIButton() {
  if (control == nullptr || controlGone) {
    return;
  }
  control->onClick = TNotifyEvent{};
  // The form must not keep a freed control as its default button.
  if (defaultButton) {
    SetDialogButton(control, kKeyEnter, false);
  }
}

void THIButton::Init() {
  control = MakeButton(parentControl, caption);
  control->onClick = BindEvent<&THIButton::Clicked>(this);
  // Also when false: the button then stops being its form's default button.
  SetDialogButton(control, kKeyEnter, defaultButton);
  SetControlStyle(control, control->style | kMultiLineCaptionStyle);
  THIWin::Init();
}

void THIButton::Clicked(TControl*) {
  // A copy, so that a receiver that consumes its value leaves clickData whole.
  FireCopy(onClick, clickData);
}

}  // namespace lobrin
