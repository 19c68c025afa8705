// Lobrin Stack's entry: the window, its message loop and the end.

#include <windows.h>

#include "app/fatal_error_report.h"
#include "app/stack/stack_window.h"
#include "toolkit/fpu_control.h"
#include "toolkit/message_loop.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  lobrin::SetExtendedPrecisionNoTraps();
  lobrin::InstallFatalErrorReport();
  lobrin::stackwin::StackWindow window;
  lobrin::RunMessageLoop(window.AppWindowSlot());
  return 0;
}
