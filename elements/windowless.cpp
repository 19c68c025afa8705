#include "elements/windowless.h"

namespace lobrin {

void THITextBox::setTextPoint(TData& value, std::uint16_t) {
  TextFromLink(value, textLink, std::string(), newText_);
  ChangeText(newText_);
}

void THITextBox::setTextSilentPoint(TData& value, std::uint16_t index) {
  notifyChange_ = false;
  setTextPoint(value, index);
}

void THITextBox::textPoint(TData& value, std::uint16_t) { SetText(value, text_); }

void THITextBox::Paste(const std::string& text) { ChangeText(text); }

void THITextBox::Reset() {
  text_.clear();
  notifyChange_ = true;
}

void THITextBox::ChangeText(const std::string& text) {
  text_ = text;
  if (notifyChange_) {
    TData value;
    SetText(value, text_);
    FireInPlace(onChange, value);
  }
  notifyChange_ = true;
}

void THIPushButton::Click() { FireCopy(onClick, clickData); }

void THISilentMessage::showPoint(TData&, std::uint16_t) { ++shown_; }

}  // namespace lobrin
