#pragma once
// Finding and reading windows of another process, message boxes among them.
// Every message goes out with SendMessageTimeoutA, so a hung program makes a
// call fail instead of blocking the driver.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace lobrin::gui {

// How long one message to the program may take before it counts as hung.
constexpr UINT kMessageTimeoutMs = 5000;

// Sends a message with the timeout above; false when it did not get through.
bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr,
                     UINT timeoutMs = kMessageTimeoutMs);

// Asks `done` every 10 ms until it answers true (true) or `timeoutMs` has passed (false).
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The window's class name.
std::string ClassOf(HWND window);

// The window's text through WM_GETTEXT (any length; bytes as the window gives them).
std::string TextOf(HWND window);

// Top-level windows of the process with the id `processId` (0: of every process).
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

// The first top-level window of the process for which `accept` answers true,
// polling until `timeoutMs` has passed; nullptr on timeout.
HWND WaitForTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& accept, DWORD timeoutMs);

// A child control: its window, its class and its rectangle in the parent's
// client coordinates.
struct ChildControl {
  HWND window;
  std::string className;
  RECT rect;
};

// The direct children of `parent`, in z order.
std::vector<ChildControl> ChildControlsOf(HWND parent);

// The child of `parent` whose top-left corner is at (left, top) and whose
// class name contains `classPart` (in any case); nullptr if there is none.
HWND ControlAt(HWND parent, int left, int top, const char* classPart = "");

// The rectangle of `child` in the client coordinates of `parent`.
RECT RectInParent(HWND parent, HWND child);

// A message box of another process, as the user sees it: caption, text, buttons.
struct MessageBoxView {
  HWND window = nullptr;
  std::string caption;
  std::string text;  // the text control's bytes (line breaks as CR LF)
  int visibleButtons = 0;
};

// Waits for a visible message box (class "#32770") of the process, this one
// too; the returned view has a null window on timeout.
MessageBoxView WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Presses the button with the id `button` (IDOK, IDNO, ...) in the box; true
// when the box is gone within `timeoutMs`.
bool PressButton(HWND box, int button, DWORD timeoutMs);

}  // namespace lobrin::gui
