#pragma once
// A console program run to its end with its standard output collected, as a
// script runs it.

#include <windows.h>

#include <string>

namespace lobrin::gui {

struct ConsoleRun {
  bool ended = false;  // false: it could not be started, or did not end in time (then killed)
  DWORD exitCode = 0;
  std::string out;     // standard output, bytes as written
  std::string error;   // why it did not end, when it did not
};

// Runs `exePath` (a Windows file name) with `arguments` appended to its quoted
// name, and waits at most `timeoutMs` for it to end.
ConsoleRun RunConsoleProgram(const std::string& exePath, const std::string& arguments, DWORD timeoutMs);

}  // namespace lobrin::gui
