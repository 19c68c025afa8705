#include "process.h"

#include <vector>

namespace lobrin::gui {

std::string WindowsPathOf(const std::string& unixPath) {
  if (unixPath.size() < 2 || unixPath[0] != '/') return unixPath;
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

ChildProcess::~ChildProcess() {
  Kill();
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
  if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::string& exePath, const std::string& arguments,
                         std::string* error) {
  std::string commandLine = "\"" + exePath + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info_)) {
    *error = "CreateProcessA failed for " + exePath + " (error " +
             std::to_string(GetLastError()) + ")";
    info_ = {};
    return false;
  }
  return true;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (info_.hProcess == nullptr) return false;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(info_.hProcess, exitCode) != 0;
}

void ChildProcess::Kill() {
  if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT) return;
  TerminateProcess(info_.hProcess, 0xDEAD);
  WaitForSingleObject(info_.hProcess, 5000);
}

}  // namespace lobrin::gui
