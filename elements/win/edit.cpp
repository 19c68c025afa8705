#include "elements/win/edit.h"

#include "toolkit/focus.h"

namespace lobrin {

THIEdit::~THIEdit() {
  if (HasControl()) {
    control->onChange = TNotifyEvent{};
  }
}

void THIEdit::Init() {
  std::uint32_t options = 0;
  if (password) {
    options |= 1u << kEditPassword;
  }
  if (readOnly) {
    options |= 1u << kEditReadOnly;
  }
  control = MakeEdit(parentControl, options);
  SetTextAlignment(control, textAlign);
  // The window is made with its text: no change to report, so the next change
  // is reported.
  control->caption = text;
  THIWin::Init();
  control->onChange = BindEvent<&THIEdit::TextChanged>(this);
  notifyChange = true;
}

TTextProvider THIEdit::OwnTextProvider() { return TTextProvider{MemberThunk<&THIEdit::ReadOwnText>, this}; }

void THIEdit::TextChanged(TControl*) {
  if (notifyChange) {
    // The outermost change reuses one kept value, so that reading the text
    // needs no new memory; a change reported inside it gets a value of its own.
    TData nested;
    TData& value = changeDepth_ == 0 ? changeValue_ : nested;
    value.integerValue = 0;
    value.realValue = 0.0;
    ++changeDepth_;
    if (textProvider(value)) {
      FireInPlace(onChange, value);
    }
    --changeDepth_;
  }
  notifyChange = true;
}

void THIEdit::setTextPoint(TData& value, std::uint16_t) {
  clearAfterEnter = false;
  TextFromLink(value, textLink, std::string(), newText_);
  if (!HasControl()) {
    return;
  }
  DWORD caret = 0;
  SendToControl(control, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  // The edit reports the change from inside this call: onChange runs here.
  SetControlText(control, newText_);
  if (!HasControl()) {
    return;  // a receiver of onChange may have ended the window
  }
  SendToControl(control, EM_SETSEL, caret, caret);
}

void THIEdit::setTextSilentPoint(TData& value, std::uint16_t index) {
  notifyChange = false;
  setTextPoint(value, index);
}

void THIEdit::textPoint(TData& value, std::uint16_t) {
  if (!textProvider(value)) {
    SetNull(value);
  }
}

bool THIEdit::ReadOwnText(TData& value) {
  if (!HasControl()) {
    return false;
  }
  ReadControlText(control, StartText(value));
  return true;
}

void THIEdit::KeyDown(TControl* sender, std::int32_t& key, std::uint32_t shift) {
  if (onEnter.handler == nullptr || key != kKeyEnter) {
    THIWin::KeyDown(sender, key, shift);
    return;
  }
  TData value;
  if (textProvider(value)) {
    clearAfterEnter = true;
    FireInPlace(onEnter, value);
    if (clearAfterEnter && HasControl()) {
      notifyChange = false;
      SetControlText(control, std::string());
    }
  }
  key = 0;  // swallowed, and with it the character that follows
}

}  // namespace lobrin
