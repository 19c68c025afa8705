#pragma once
// A windowless stand-in for the edit element: its text points, and an onChange
// that fires the new text as a String, synchronously, on every change -- set
// through setTextPoint or typed by the user.

#include <cstdint>
#include <string>

#include "elements/data.h"

namespace lobrin::testing {

class TextBoxStandIn {
 public:
  THI_Event onChange;  // fired in place with the new text after each reported change

  const std::string& text() const { return text_; }

  // --- Points ---
  // Input point: the text becomes the incoming value as text (NULL empties it); reported.
  void setTextPoint(TData& value, std::uint16_t) { ChangeText(TextFromLink(value, THI_Event{}, std::string())); }
  // Data point: answers the current text as a String.
  void textPoint(TData& value, std::uint16_t) { SetText(value, text_); }

  // --- The user at the keyboard ---
  // Types `keys` one character at a time at the end of the text; each is a change.
  void Type(const std::string& keys) {
    for (char key : keys) ChangeText(text_ + key);
  }
  // Selects all and types `keys` (the first key replaces the selection); an
  // empty `keys` deletes the selection. Each keystroke is a change.
  void Retype(const std::string& keys) {
    if (keys.empty()) ChangeText(std::string());
    text_.clear();
    Type(keys);
  }

 private:
  // What the edit control does on a change of its text: one notification.
  void ChangeText(const std::string& text) {
    text_ = text;
    TData value;
    SetText(value, text_);
    FireInPlace(onChange, value);
  }

  std::string text_;
};

// A windowless stand-in for a button: fires onClick with a copy of its clickData.
class ButtonStandIn {
 public:
  THI_Event onClick;
  TData clickData;

  void Click() { FireCopy(onClick, clickData); }
};

}  // namespace lobrin::testing
