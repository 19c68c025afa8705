#pragma once
// A message box of another process, as the user sees it: caption, text,
// buttons; and the OK button to close it.

#include <windows.h>

#include <string>

namespace lobrin::gui {

struct MessageBoxView {
  HWND window = nullptr;
  std::string caption;
  std::string text;  // the text control's bytes (line breaks as CR LF)
  int visibleButtons = 0;
};

// Waits for a visible message box (class "#32770") of the process; the
// returned view has a null window on timeout.
MessageBoxView WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Presses OK in the box; true when the box is gone within `timeoutMs`.
bool PressOk(HWND box, DWORD timeoutMs);

}  // namespace lobrin::gui
