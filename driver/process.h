#pragma once
// A program started by the driver: its process, its exit, and a kill for a
// program that does not end by itself; and a console program run to its end
// with its standard output collected, as a script runs it.

#include <windows.h>

#include <string>

namespace lobrin::gui {

// The Windows file name of a file given by its Unix path (Z: drive).
std::string WindowsPathOf(const std::string& unixPath);

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Kills the program if it still runs and closes the handles.
  ~ChildProcess();

  // Starts `exePath` (a Windows file name) with `arguments` appended to the
  // quoted program name; false (and `error` set) when it cannot be started.
  // With an `output` handle, a console program writes its standard output and
  // error there. One program per object.
  bool Start(const std::string& exePath, const std::string& arguments, std::string* error,
             HANDLE output = nullptr);

  // Waits until the program has ended; false on timeout.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

  // Ends a program that is still running and waits for it briefly.
  void Kill();

  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_ = {};
};

struct ConsoleRun {
  bool ended = false;  // false: it could not be started, or did not end in time (then killed)
  DWORD exitCode = 0;
  std::string out;    // standard output, bytes as written
  std::string error;  // why it did not end, when it did not
};

// Runs the console program `exePath` with `arguments` and waits at most
// `timeoutMs` for it to end.
ConsoleRun RunConsoleProgram(const std::string& exePath, const std::string& arguments, DWORD timeoutMs);

}  // namespace lobrin::gui
