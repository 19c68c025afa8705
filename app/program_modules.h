#pragma once
// The process-wide set-up and tear-down of the program's modules, in their order.

namespace lobrin {

// Runs the module initialisers in order: common controls and the default hint
// manager, then the secondary-form list and the "inner message" number.
void InitializeProgramModules();

// Runs the module finalisers in reverse order.
void FinalizeProgramModules();

}  // namespace lobrin
