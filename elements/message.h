#pragma once
// The message element: a modal message box shown when its input point fires,
// reporting the button that closed it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "elements/data.h"

namespace lobrin {

// The buttons of the box.
enum class MessageButtons : std::uint8_t {
  kOk,
  kOkCancel,
  kYesNo,
  kYesNoCancel,
  kRetryCancel,
  kAbortRetryIgnore
};
// The icon of the box.
enum class MessageIcon : std::uint8_t { kNone, kStop, kQuestion, kExclamation, kInformation };
// The button that has the focus when the box opens.
enum class MessageDefaultButton : std::uint8_t { kFirst, kSecond, kThird };

// MessageBoxA style bits for the element's three settings; a value outside
// its enumeration adds nothing.
UINT MessageBoxStyle(MessageButtons buttons, MessageIcon icon, MessageDefaultButton defaultButton);

// Text of the resource `name` of type 100 in the program's own module, up to
// its first zero byte; the empty text when there is no such resource. Names
// match without regard to case.
std::string LoadTextResource(const std::string& name);

class THIMessage {
 public:
  // --- Settings ---
  std::string defaultText;     // owned; shown when textLink gives nothing
  std::string defaultCaption;  // owned; used when captionLink gives nothing
  MessageButtons buttonsKind = MessageButtons::kOk;
  MessageIcon iconKind = MessageIcon::kNone;
  MessageDefaultButton defaultButtonIndex = MessageDefaultButton::kFirst;

  // --- Data links ---
  THI_Event textLink;
  THI_Event captionLink;

  // --- Events ---
  THI_Event resultEvent;  // Integer: the code of the button that closed the box
  THI_Event okEvent;      // NULL, after resultEvent, for code 1
  THI_Event cancelEvent;  // 2
  THI_Event abortEvent;   // 3
  THI_Event retryEvent;   // 4
  THI_Event ignoreEvent;  // 5
  THI_Event yesEvent;     // 6
  THI_Event noEvent;      // 7

  // --- Points ---
  // Shows the box modally; fires resultEvent, then (once this point has
  // returned, from the dispatcher) the event of the button pressed.
  void showPoint(TData& value, std::uint16_t index);
};

// Owner window for message boxes: the application's main form, else the first
// child of the application window, else none.
HWND MessageBoxOwner();

}  // namespace lobrin
