// A small command-line companion of the shell tests and scripts: it looks at
// or works the calculator window from inside Wine.
//
//   gui_probe --wait SECONDS          wait for the calculator window
//   gui_probe --dump                  print every control: class, client rect,
//                                     screen centre, focus mark, text
//   gui_probe --expect-text L T TEXT  wait until the control at (L, T) shows TEXT
//   gui_probe --expect-focus L T      wait until the control at (L, T) has the focus
//   gui_probe --close                 close the window, as the user does
//   gui_probe --session               start lobrin.exe, use every part of it, close it
//   gui_probe --demo                  start lobrin.exe, calculate 32 / 30 / 144, leave it open
//   gui_probe --calculate EXE H E F   start EXE (a Windows path), type the two beamwidths
//                                     and the frequency, click Calculate, print the four
//                                     results one to a line, close it
//   gui_probe --stack EXE H E F       start EXE (Lobrin Stack, a Windows path), type the
//                                     two beamwidths and the frequency, 2 by 2 antennas
//                                     at the DL6WU distances, click Copy, print what it
//                                     copied, close it
//
// Exit code 0 when the action succeeded, 1 otherwise.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calculator.h"
#include "process.h"
#include "window_search.h"

namespace lobrin::gui {
namespace {

constexpr DWORD kExpectTimeoutMs = 5000;

// When the process was started, as a number that grows with time; 0 if unknown.
ULONGLONG StartTimeOfProcess(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) {
    return 0;
  }
  FILETIME created = {}, exited = {}, kernel = {}, user = {};
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  CloseHandle(process);
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// The window of the calculator started last (a calculator left over from an
// earlier run must not be mistaken for the one under test).
HWND FindCalculatorWindow(DWORD timeoutMs) {
  if (WaitForTopLevelWindow(0, IsCalculatorWindow, timeoutMs) == nullptr) {
    return nullptr;
  }
  HWND newest = nullptr;
  ULONGLONG newestStart = 0;
  for (HWND window : TopLevelWindowsOf(0)) {
    if (!IsCalculatorWindow(window)) {
      continue;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const ULONGLONG start = StartTimeOfProcess(processId);
    if (newest == nullptr || start > newestStart) {
      newest = window;
      newestStart = start;
    }
  }
  return newest;
}

HWND FocusedWindowOf(HWND main) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) {
    return nullptr;
  }
  return info.hwndFocus;
}

// The text with bytes outside printable ASCII written as \xNN.
std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 32 && c < 127 && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
    }
  }
  return out;
}

int Dump(HWND main) {
  const HWND focus = FocusedWindowOf(main);
  for (const ChildControl& child : ChildControlsOf(main)) {
    RECT screen = {};
    GetWindowRect(child.window, &screen);
    std::printf("%s %ld %ld %ld %ld %ld %ld %s \"%s\"\n", child.className.c_str(), child.rect.left,
                child.rect.top, child.rect.right - child.rect.left, child.rect.bottom - child.rect.top,
                (screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2,
                child.window == focus ? "focus" : "-", Printable(TextOf(child.window)).c_str());
  }
  return 0;
}

int ExpectText(HWND main, int left, int top, const std::string& expected) {
  HWND control = ControlAt(main, left, top);
  std::string text = "<no control>";
  if (WaitUntil([&] { return control != nullptr && (text = TextOf(control)) == expected; },
                kExpectTimeoutMs)) {
    return 0;
  }
  std::printf("control at %d,%d shows \"%s\", expected \"%s\"\n", left, top, Printable(text).c_str(),
              Printable(expected).c_str());
  return 1;
}

int ExpectFocus(HWND main, int left, int top) {
  HWND control = ControlAt(main, left, top);
  HWND focus = nullptr;
  if (WaitUntil([&] { return (focus = FocusedWindowOf(main)) == control && control != nullptr; },
                kExpectTimeoutMs)) {
    return 0;
  }
  const RECT rect = RectInParent(main, focus);
  std::printf("the focus is on %s at %ld,%ld, expected the control at %d,%d\n",
              focus ? ClassOf(focus).c_str() : "no window", rect.left, rect.top, left, top);
  return 1;
}

// Waits for the calculator and calculates the first worked example; false on failure.
bool StartAndCalculate(Calculator& calculator) {
  if (!calculator.WaitForWindow()) {
    std::printf("%s\n", calculator.Error().c_str());
    return false;
  }
  return calculator.Type(Edit::Frequency, "144") && calculator.Type(Edit::HPlaneBw, "32") &&
         calculator.Type(Edit::EPlaneBw, "30") && calculator.Click(Button::Calculate) &&
         calculator.Text(Edit::EMeters) == "4.02469094287112";
}

// One session of ordinary use: start, type, Calculate, Clear, Info and OK, close.
int Session() {
  Calculator calculator;
  if (!StartAndCalculate(calculator)) {
    return 1;
  }
  if (!calculator.Retype(Edit::HMeters, "5") || !calculator.Click(Button::Clear)) {
    return 1;
  }
  if (!calculator.ClickLater(Button::Info)) {
    return 1;
  }
  const MessageBoxView box = WaitForMessageBox(calculator.Process().Id(), 10000);
  if (box.window == nullptr || !PressButton(box.window, IDOK, 10000)) {
    std::printf("the info box did not come or go\n");
    return 1;
  }
  DWORD exitCode = 1;
  if (!calculator.Close(&exitCode) || exitCode != 0) {
    std::printf("the calculator did not end with exit code 0\n");
    return 1;
  }
  return 0;
}

// Leaves a calculator showing the first worked example running.
int Demo() {
  Calculator* calculator = new Calculator();  // outlives the probe on purpose
  if (!StartAndCalculate(*calculator)) {
    return 1;
  }
  std::printf("%s\n", calculator->Text(Edit::HMeters).c_str());
  std::exit(0);  // the program stays open for the screenshot
}

// One calculation as a user makes it with the calculator at `exePath`.
int Calculate(const std::string& exePath, const char* hPlane, const char* ePlane, const char* frequency) {
  Calculator calculator(exePath, "");
  if (!calculator.WaitForWindow()) {
    std::printf("%s\n", calculator.Error().c_str());
    return 1;
  }
  if (!calculator.Type(Edit::HPlaneBw, hPlane) || !calculator.Type(Edit::EPlaneBw, ePlane) ||
      !calculator.Type(Edit::Frequency, frequency) || !calculator.Click(Button::Calculate)) {
    std::printf("typing into the calculator or clicking Calculate failed\n");
    return 1;
  }
  for (Edit result : {Edit::HMeters, Edit::HFeet, Edit::EMeters, Edit::EFeet}) {
    std::printf("%s\n", calculator.Text(result).c_str());
  }
  DWORD exitCode = 1;
  if (!calculator.Close(&exitCode) || exitCode != 0) {
    std::printf("the calculator did not end with exit code 0\n");
    return 1;
  }
  return 0;
}

// Lobrin Stack's input boxes in their order on the window (each an EDIT):
// H-plane and E-plane beamwidth, frequency, antennas in each plane, spacing in
// each plane, sidelobe level.
constexpr int kStackInputs = 8;

// What Copy put on the clipboard, CR LF turned into LF; empty when there is none.
std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) {
    return text;
  }
  const HANDLE data = GetClipboardData(CF_TEXT);
  const char* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  for (const char* at = bytes; at != nullptr && *at != '\0'; ++at) {
    if (*at != '\r') {
      text += *at;
    }
  }
  if (bytes != nullptr) {
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// The worked example of a 2 x 2 stack in Lobrin Stack at `exePath`, as a user types it.
int CopyStackFigures(const std::string& exePath, const char* hPlane, const char* ePlane,
                     const char* frequency) {
  ChildProcess process;
  std::string error;
  if (!process.Start(exePath, "", &error)) {
    std::printf("%s\n", error.c_str());
    return 1;
  }
  const HWND form = WaitForTopLevelWindow(
      process.Id(),
      [](HWND window) {
        // The form, not the application's hidden owner window of the same title.
        return IsWindowVisible(window) && TextOf(window) == "Lobrin Stack" &&
               ClassOf(window).find("Form") != std::string::npos;
      },
      20000);
  if (form == nullptr) {
    std::printf("no window titled Lobrin Stack\n");
    return 1;
  }
  std::vector<HWND> boxes;
  HWND copy = nullptr;
  for (const ChildControl& child : ChildControlsOf(form)) {
    if (child.className.find("EDIT") != std::string::npos ||
        child.className.find("Edit") != std::string::npos) {
      boxes.push_back(child.window);
    } else if (TextOf(child.window) == "&Copy") {
      copy = child.window;
    }
  }
  if (boxes.size() != kStackInputs || copy == nullptr) {
    std::printf("found %zu input boxes and %s Copy button\n", boxes.size(), copy ? "a" : "no");
    return 1;
  }
  const char* const texts[kStackInputs] = {hPlane, ePlane, frequency, "2", "2", "", "", ""};
  for (int i = 0; i < kStackInputs; ++i) {
    if (!SendWithTimeout(boxes[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texts[i]))) {
      std::printf("typing into input box %d failed\n", i + 1);
      return 1;
    }
  }
  if (!SendWithTimeout(copy, BM_CLICK, 0, 0)) {
    std::printf("clicking Copy failed\n");
    return 1;
  }
  std::printf("%s", ClipboardText().c_str());
  PostMessageA(form, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  if (!process.WaitForExit(10000, &exitCode) || exitCode != 0) {
    std::printf("Lobrin Stack did not end with exit code 0\n");
    return 1;
  }
  return 0;
}

int Run(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "--session") {
    return Session();
  }
  if (mode == "--demo") {
    return Demo();
  }
  if (mode == "--calculate" && argc == 6) {
    return Calculate(argv[2], argv[3], argv[4], argv[5]);
  }
  if (mode == "--stack" && argc == 6) {
    return CopyStackFigures(argv[2], argv[3], argv[4], argv[5]);
  }

  const DWORD waitMs = mode == "--wait" && argc > 2 ? std::atoi(argv[2]) * 1000u : 2000u;
  HWND main = FindCalculatorWindow(waitMs);
  if (main == nullptr) {
    std::printf("no calculator window\n");
    return 1;
  }
  if (mode == "--wait") {
    return 0;
  }
  if (mode == "--dump") {
    return Dump(main);
  }
  if (mode == "--expect-text" && argc == 5) {
    return ExpectText(main, std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
  }
  if (mode == "--expect-focus" && argc == 4) {
    return ExpectFocus(main, std::atoi(argv[2]), std::atoi(argv[3]));
  }
  if (mode == "--close") {
    return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  std::printf(
      "usage: gui_probe --wait S | --dump | --expect-text L T TEXT | "
      "--expect-focus L T | --close | --session | --demo | --calculate EXE H E F | --stack EXE H E F\n");
  return 1;
}

}  // namespace
}  // namespace lobrin::gui

int main(int argc, char** argv) {
  const int result = lobrin::gui::Run(argc, argv);
  std::fflush(stdout);
  return result;
}
