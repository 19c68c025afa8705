#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace lobrin {
namespace {

// The build names the probe by its Unix path when it cross-builds; Wine sees it on Z:.
std::string WindowsPathOf(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return "Z:" + path;
}

struct BoxSearch {
  DWORD processId;
  HWND box;
};

// The message box captioned "Error" that a process of `processId` shows, or null.
HWND FindErrorBox(DWORD processId) {
  BoxSearch search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) {
        auto* s = reinterpret_cast<BoxSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char caption[16] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (owner == s->processId && std::string(caption) == "Error") s->box = window;
        return s->box == nullptr ? TRUE : FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.box;
}

TEST(FatalErrorReport, AnAccessFaultShowsTheReportAndEndsWithItsNumber) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + WindowsPathOf(FAULT_PROBE_EXE_PATH) + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));

  HWND box = nullptr;
  for (int waited = 0; box == nullptr && waited < 15000; waited += 50) {
    Sleep(50);
    box = FindErrorBox(process.dwProcessId);
  }
  std::string text;
  if (box != nullptr) {
    char buffer[128] = {};
    GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
    text = buffer;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  const bool ended = WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  ASSERT_NE(box, nullptr) << "no box captioned Error";
  EXPECT_EQ(text.rfind("Runtime error 216 at $", 0), 0u) << text;
  EXPECT_EQ(text.size(), std::string("Runtime error 216 at $").size() + 16) << text;
  EXPECT_TRUE(ended);
  EXPECT_EQ(exitCode, 216u);
}

}  // namespace
}  // namespace lobrin
