#pragma once
// The message element: a modal message box shown when its input point fires,
// reporting the button that closed it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "elements/data.h"

namespace lobrin {

// MessageBoxA style bits for the element's three settings; a value outside
// its table adds nothing.
UINT MessageBoxStyle(std::uint8_t buttonsKind, std::uint8_t iconKind,
                     std::uint8_t defaultButtonIndex);

// Text of the resource `name` of type 100 in the program's own module, up to
// its first zero byte; the empty text when there is no such resource. Names
// match without regard to case.
std::string LoadTextResource(const std::string& name);

class THIMessage {
 public:
  // --- Settings ---
  std::string defaultText;             // owned; shown when textLink gives nothing
  std::string defaultCaption;          // owned; used when captionLink gives nothing
  std::uint8_t buttonsKind = 0;        // 0 OK, 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel,
                                       // 4 Retry/Cancel, 5 Abort/Retry/Ignore
  std::uint8_t iconKind = 0;           // 0 none, 1 stop, 2 question, 3 exclamation, 4 information
  std::uint8_t defaultButtonIndex = 0; // 0 first, 1 second, 2 third

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
