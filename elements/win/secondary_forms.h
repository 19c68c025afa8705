#pragma once
// Process-wide support of the main form element: the list of secondary form
// windows (forms that do not own the application window) and the window
// message "inner message" that lets forms follow each other's moves.

#include <windows.h>

namespace lobrin {

class TStrListEx;

// Start-up initialiser of the main-form support module: makes the list and
// registers "inner message" (once per process).
void InitMainFormModule();
// Finaliser of the module: frees the list.
void FinishMainFormModule();

// The windows of the secondary forms (one object per entry: the HWND); null
// outside InitMainFormModule .. FinishMainFormModule.
TStrListEx* SecondaryFormWindows();
// The message number of "inner message"; 0 before InitMainFormModule.
UINT InnerMessage();

}  // namespace lobrin
