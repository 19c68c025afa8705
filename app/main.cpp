// Program entry: module set-up, the information switch, the calculator form,
// the start-up step, the message loop and the orderly end.

#include <windows.h>

#include "app/calculator_form.h"
#include "app/command_line.h"
#include "app/fatal_error_report.h"
#include "app/program_modules.h"
#include "elements/data.h"
#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/fpu_control.h"
#include "toolkit/message_loop.h"

namespace lobrin {
namespace {

// "Сделано в Kivra." in code page 1251, shown as the single-byte text it is.
constexpr char kGeneratorInfoText[] = "\xD1\xE4\xE5\xEB\xE0\xED\xEE \xE2 Kivra.";
constexpr char kGeneratorInfoCaption[] = "Kivra Info";
constexpr char kInfoSwitch[] = "/ih";

// The one form of the program; owned here and freed after the message loop.
TClassMainForm_2157830* CurrentForm = nullptr;

// Shows the window and switches the element graph on.
void RunStartupStep(THIMainForm* mainForm) {
  if (AppWindow() != nullptr) {
    ApplyVisible(AppWindow(), mainForm->visible);
  }
  EnableLinks();
  RunStartupCallbacks();
}

int RunProgram() {
  if (ProgramArgument(1) == kInfoSwitch) {
    MessageBoxA(nullptr, kGeneratorInfoText, kGeneratorInfoCaption, MB_OK);
    return 0;
  }
  CurrentForm = new TClassMainForm_2157830();
  RunStartupStep(CurrentForm->MainForm);
  RunMessageLoop(Application().appWindow);
  delete CurrentForm;
  CurrentForm = nullptr;
  return 0;
}

}  // namespace
}  // namespace lobrin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  lobrin::SetExtendedPrecisionNoTraps();
  lobrin::InstallFatalErrorReport();
  lobrin::InitializeProgramModules();
  int exitCode = lobrin::RunProgram();
  lobrin::FinalizeProgramModules();
  return exitCode;
}
