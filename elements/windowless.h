#pragma once
// Elements without a screen: the text box, the push button and the message
// element as the calculator's graph sees them, for a graph that runs without
// windows (the command-line calculator, the native tests, the fuzzer).
//
// They have the same points and events as their windowed twins and behave
// the same at those points: a text box reports every change of its text
// through onChange, synchronously, unless the change came through
// setTextSilentPoint.

#include <cstdint>
#include <string>

#include "elements/data.h"

namespace lobrin {

class THITextBox {
 public:
  // --- Points (as the edit element's)
  // Input point: the text becomes the incoming value as text (NULL empties it); reported by onChange.
  void setTextPoint(TData& value, std::uint16_t index);
  // Input point: as setTextPoint, but the change it causes fires no onChange.
  void setTextSilentPoint(TData& value, std::uint16_t index);
  // Data point: answers the current text as a String.
  void textPoint(TData& value, std::uint16_t index);

  // --- The user at the box
  // Replaces the whole text at once, as a paste over a selection does: one reported change.
  void Paste(const std::string& text);
  const std::string& text() const { return text_; }
  // Puts the box back as it was made: empty, and reporting its next change.
  void Reset();

  // --- Data link and event
  THI_Event textLink;  // where setTextPoint takes its text from, when linked
  THI_Event onChange;  // String: the text after each reported change

 private:
  // What the edit control does on every change of its text: one notification.
  void ChangeText(const std::string& text);

  std::string text_;          // owned
  std::string newText_;       // owned; the text setTextPoint is given, its memory kept for the next
  bool notifyChange_ = true;  // false: the next change fires nothing
};

class THIPushButton {
 public:
  // Fires onClick with a copy of clickData, as a click on the button does.
  void Click();

  THI_Event onClick;
  TData clickData;  // owned; NULL unless set
};

// The message element's input point without a message box: it counts the
// requests to show, and shows nothing.
class THISilentMessage {
 public:
  // Input point: one more request to show.
  void showPoint(TData& value, std::uint16_t index);
  int shown() const { return shown_; }
  // Forgets the requests counted so far.
  void Reset() { shown_ = 0; }

 private:
  int shown_ = 0;
};

}  // namespace lobrin
