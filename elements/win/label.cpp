#include "elements/win/label.h"

#include "toolkit/auto_size.h"
#include "toolkit/graphic_tool.h"

namespace lobrin {

THILabel::~THILabel() {
  if (control != nullptr && !controlGone) {
    control->onClick = TNotifyEvent{};
  }
}

void THILabel::Create(TControl* parent) {
  THIWin::Create(parent);
  control = MakeLabel(parentControl, std::string());
  control->onClick = BindEvent<&THILabel::Clicked>(this);
}

void THILabel::Init() {
  if (control == nullptr || control->handle != nullptr) {
    THIWin::Init();
    if (control != nullptr) {
      SetControlText(control, caption);
    }
    return;
  }
  // The window is made with its caption, so it needs no second text; the
  // size follows the caption once, when the window and its font are there.
  const TControlProc fitToContent = control->contentChanged;
  control->contentChanged = nullptr;
  control->caption = caption;
  THIWin::Init();
  if (control == nullptr) {
    return;
  }
  control->contentChanged = fitToContent;
  if (fitToContent != nullptr) {
    fitToContent(control);
  }
}

void THILabel::SetAutoSize(bool on) {
  if (control != nullptr) {
    ::lobrin::SetAutoSize(control, on);
  }
}

void THILabel::SetTextAlign(TextAlignment alignment) {
  if (control != nullptr) {
    SetTextAlignment(control, alignment);
  }
}

void THILabel::MouseEnter(TControl* sender) {
  THIWin::MouseEnter(sender);
  if (control == nullptr || controlGone || control->font == nullptr) {
    return;
  }
  if (hoverColour != 0) {
    control->font->SetColour(hoverColour);
  }
  if (hoverUnderline) {
    control->font->SetFontStyle(static_cast<std::uint8_t>(control->font->FontStyle() | kFontUnderline));
  }
}

void THILabel::MouseLeave(TControl* sender) {
  THIWin::MouseLeave(sender);
  if (control == nullptr || controlGone || control->font == nullptr) {
    return;
  }
  if (hoverColour != 0) {
    control->font->SetColour(font.colour);
  }
  if (hoverUnderline) {
    control->font->SetFontStyle(static_cast<std::uint8_t>(control->font->FontStyle() & ~kFontUnderline));
  }
}

void THILabel::Clicked(TControl*) { FireNull(onClick); }

}  // namespace lobrin
