#pragma once
// Keyboard focus between the controls of a form (Tab, arrow and page keys) and
// the default and cancel buttons of a form (Enter and Escape).

#include "toolkit/control.h"

namespace lobrin {

constexpr int kKeyEnter = VK_RETURN;   // 13
constexpr int kKeyEscape = VK_ESCAPE;  // 27

// Makes keyboard navigation the key-navigation function of the control's form.
TControl* EnableKeyNavigation(TControl* control);
// The key-navigation function: true when the key is one of the control's focus keys.
bool KeyboardNavigation(TControl* control, int key, bool notKeyDown);
// Moves the focus to the next (+1) or previous (-1) tab stop of the form, wrapping around.
void MoveFocus(TControl* form, int step);
// Makes a button the form's default (Enter) or cancel (Escape) button, or stops it being one.
void SetDialogButton(TControl* button, int key, bool on);
// The application window's message event while a dialog button is on.
bool DialogKeyFilter(void* data, TMessage& msg, LRESULT& result);
// True when the control and every parent up to its form are visible or about to be shown.
bool IsEffectivelyVisible(TControl* control);
// SetFocus on the control's window without firing focus events; it becomes its form's current control.
void FocusControl(TControl* control);

}  // namespace lobrin
