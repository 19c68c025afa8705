#pragma once
// The last resort for a fault that nothing handles: a box captioned "Error"
// reading "Runtime error N at $ADDRESS", then the process ends with code N.

#include <windows.h>

#include <string>

namespace lobrin {

// Installs the report as the process's unhandled-exception filter and new-handler.
void InstallFatalErrorReport();

// The runtime error number for a system exception code (216 for an access fault).
int RuntimeErrorNumber(DWORD exceptionCode);

// "Runtime error 216 at $00000000004015A3".
std::string RuntimeErrorText(int errorNumber, const void* address);

}  // namespace lobrin
