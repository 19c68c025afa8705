#pragma once
// THIEdit: a one-line edit box. Other elements set its text through two input
// points and read it through a data point; it reports every change of its
// text (typed or set) through onChange and, when onEnter is linked, the Enter key.
//
// All firing is synchronous: the onChange that setTextPoint causes has run its
// whole cascade before setTextPoint returns.

#include <cstdint>
#include <string>

#include "elements/data.h"
#include "elements/win/win.h"

namespace lobrin {

// Fills `value` with an edit's current text; false when it did not.
struct TTextProvider {
  bool (*routine)(void* element, TData& value) = nullptr;
  void* element = nullptr;  // borrowed
  bool operator()(TData& value) const { return routine != nullptr && routine(element, value); }
};

class THIEdit : public THIWin {
 public:
  // Removes the change handler from the control before the base frees it.
  ~THIEdit() override;

  // --- Steps the form drives (Create is the base one: the control is made in Init)
  // Makes the edit control, runs the base Init, installs the change handler and sets `text`.
  void Init() override;
  // The provider that reads this edit's own control (ReadOwnText), for `textProvider`.
  TTextProvider OwnTextProvider();

  // --- Points
  // Input point: the text becomes the incoming value as text (NULL empties it); reported by onChange.
  void setTextPoint(TData& value, std::uint16_t index);
  // Input point: as setTextPoint, but the change it causes fires no onChange.
  void setTextSilentPoint(TData& value, std::uint16_t index);
  // Data point: answers the current text as a String, or NULL when the provider gives nothing.
  void textPoint(TData& value, std::uint16_t index);

  // Provider routine: value := String(the control's current text); false without a control.
  bool ReadOwnText(TData& value);

  // Enter with onEnter linked fires onEnter and swallows the key; other keys fire onKeyDown.
  void KeyDown(TControl* sender, std::int32_t& key, std::uint32_t shift) override;

  // --- State
  bool notifyChange = false;     // false: the next change notification fires nothing
  bool clearAfterEnter = false;  // still set after onEnter: nobody answered, the edit empties itself
  TTextProvider textProvider;    // the form sets OwnTextProvider()

  // --- Settings applied by Init
  bool password = false;  // masks the characters
  std::string text;       // owned; the initial text
  bool readOnly = false;
  TextAlignment textAlign = TextAlignment::kLeft;

  // --- Data link
  THI_Event textLink;  // where setTextPoint takes its text from, when linked

  // --- Events
  THI_Event onEnter;   // String: the text when Enter is pressed
  THI_Event onChange;  // String: the text after each reported change

 private:
  // The control reports a change of its text.
  void TextChanged(TControl* sender);
  bool HasControl() const { return control != nullptr && !controlGone; }

  // Kept between calls for their memory, so that a click's texts need none.
  std::string newText_;  // owned; the text setTextPoint sets (read before the control changes)
  TData changeValue_;    // owned; the value of the outermost change being reported
  int changeDepth_ = 0;  // changes being reported now, one inside the other
};

}  // namespace lobrin
