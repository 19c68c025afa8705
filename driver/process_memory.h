#pragma once
// Memory and handle counts of another process. Under Wine a process cannot see
// another one's private bytes through Win32, so they are read from Linux's
// /proc (on the Z: drive) for the Unix process that runs the program.

#include <windows.h>

#include <cstdint>
#include <string>

namespace lobrin::gui {

struct ProcessMemory {
  uint64_t privateBytes = 0;  // private bytes: anonymous memory under Wine; 0 if unknown
  uint64_t workingSet = 0;    // WorkingSetSize from GetProcessMemoryInfo
  DWORD gdiObjects = 0;       // GetGuiResources, 0 where not answered (Wine)
  DWORD userObjects = 0;
};

// The Unix pid of the newest process whose command line ends with
// `exeFileName` (compared without case) and which runs in this Wine prefix;
// 0 if none is found (for example on Windows itself).
unsigned long UnixPidOf(const std::string& exeFileName);

// Reads the figures of `process`; `unixPid` 0 leaves privateBytes at 0.
ProcessMemory MeasureProcess(HANDLE process, unsigned long unixPid);

}  // namespace lobrin::gui
