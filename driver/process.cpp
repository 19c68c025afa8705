#include "process.h"

#include <vector>

namespace lobrin::gui {

std::string WindowsPathOf(const std::string& unixPath) {
  if (unixPath.size() < 2 || unixPath[0] != '/') {
    return unixPath;
  }
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

ChildProcess::~ChildProcess() {
  Kill();
  if (info_.hThread != nullptr) {
    CloseHandle(info_.hThread);
  }
  if (info_.hProcess != nullptr) {
    CloseHandle(info_.hProcess);
  }
}

bool ChildProcess::Start(const std::string& exePath, const std::string& arguments, std::string* error,
                         HANDLE output) {
  std::string commandLine = "\"" + exePath + "\"";
  if (!arguments.empty()) {
    commandLine += " " + arguments;
  }
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (output != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
  }
  if (!CreateProcessA(exePath.c_str(), buffer.data(), nullptr, nullptr, output != nullptr,
                      output != nullptr ? CREATE_NO_WINDOW : 0, nullptr, nullptr, &startup, &info_)) {
    *error = "CreateProcessA failed for " + exePath + " (error " + std::to_string(GetLastError()) + ")";
    info_ = {};
    return false;
  }
  return true;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (info_.hProcess == nullptr) {
    return false;
  }
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    return false;
  }
  return GetExitCodeProcess(info_.hProcess, exitCode) != 0;
}

void ChildProcess::Kill() {
  if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT) {
    return;
  }
  TerminateProcess(info_.hProcess, 0xDEAD);
  WaitForSingleObject(info_.hProcess, 5000);
}

namespace {

// Appends what the pipe holds now; never blocks.
void Drain(HANDLE pipe, std::string& into) {
  DWORD available = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    std::vector<char> buffer(available);
    DWORD got = 0;
    if (!ReadFile(pipe, buffer.data(), available, &got, nullptr) || got == 0) {
      return;
    }
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
  ChildProcess program;  // kills the program when it did not end in time
  const bool started = program.Start(exePath, arguments, &run.error, writeEnd);
  CloseHandle(writeEnd);  // the child holds its own copy
  for (const ULONGLONG deadline = GetTickCount64() + timeoutMs; started && !run.ended;) {
    Drain(readEnd, run.out);
    run.ended = program.WaitForExit(10, &run.exitCode);
    if (!run.ended && GetTickCount64() > deadline) {
      run.error = exePath + " did not end in time";
      break;
    }
  }
  Drain(readEnd, run.out);
  CloseHandle(readEnd);
  return run;
}

}  // namespace lobrin::gui
