#include "elements/win/label.h"

#include "toolkit/auto_size.h"
#include "toolkit/graphic_tool.h"

namespace lobrin {

THILabel::~THILabel() {
  if (control != nullptr && !controlGone) control->onClick = TNotifyEvent{};
}

void THILabel::Create(TControl* parent) {
  THIWin::Create(parent);
  control = MakeLabel(parentControl, std::string());
  control->onClick = TNotifyEvent{&THILabel::ClickThunk, this};
}

void THILabel::Init() {
  THIWin::Init();
  if (control != nullptr) SetControlText(control, caption);
}

void THILabel::SetAutoSize(bool on) {
  if (control != nullptr) ::lobrin::SetAutoSize(control, on);
}

void THILabel::SetTextAlign(TextAlignment alignment) {
  if (control != nullptr) SetTextAlignment(control, alignment);
}

void THILabel::MouseEnter(TControl* sender) {
  THIWin::MouseEnter(sender);
  if (control == nullptr || controlGone || control->font == nullptr) return;
  if (hoverColour != 0) control->font->SetColour(hoverColour);
  if (hoverUnderline) control->font->SetFontStyle(static_cast<std::uint8_t>(control->font->FontStyle() | kFontUnderline));
}

void THILabel::MouseLeave(TControl* sender) {
  THIWin::MouseLeave(sender);
  if (control == nullptr || controlGone || control->font == nullptr) return;
  if (hoverColour != 0) control->font->SetColour(font.colour);
  if (hoverUnderline) control->font->SetFontStyle(static_cast<std::uint8_t>(control->font->FontStyle() & ~kFontUnderline));
}

void THILabel::ClickThunk(void* element, TControl*) { FireNull(static_cast<THILabel*>(element)->onClick); }

}  // namespace lobrin
