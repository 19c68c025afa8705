#include "console_program.h"

#include <vector>

namespace lobrin::gui {

namespace {

// Appends what the pipe holds now; never blocks.
void Drain(HANDLE pipe, std::string& into) {
  DWORD available = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    std::vector<char> buffer(available);
    DWORD got = 0;
    if (!ReadFile(pipe, buffer.data(), available, &got, nullptr) || got == 0) return;
    into.append(buffer.data(), got);
  }
}

}  // namespace

ConsoleRun RunConsoleProgram(const std::string& exePath, const std::string& arguments, DWORD timeoutMs) {
  ConsoleRun run;
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
    run.error = "CreatePipe failed";
    return run;
  }
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  std::string commandLine = "\"" + exePath + "\" " + arguments;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION info = {};
  const BOOL started = CreateProcessA(exePath.c_str(), buffer.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(writeEnd);  // the child holds its own copy
  if (!started) {
    run.error = "CreateProcessA failed for " + exePath + " (error " + std::to_string(GetLastError()) + ")";
    CloseHandle(readEnd);
    return run;
  }

  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    Drain(readEnd, run.out);
    if (WaitForSingleObject(info.hProcess, 10) == WAIT_OBJECT_0) break;
    if (GetTickCount64() > deadline) {
      TerminateProcess(info.hProcess, 0xDEAD);
      WaitForSingleObject(info.hProcess, 5000);
      run.error = exePath + " did not end in time";
      break;
    }
  }
  Drain(readEnd, run.out);
  run.ended = run.error.empty() && GetExitCodeProcess(info.hProcess, &run.exitCode) != 0;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  CloseHandle(readEnd);
  return run;
}

}  // namespace lobrin::gui
