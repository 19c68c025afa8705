// Figures of the calculator, measured in one run and printed (not a test):
// start-up time against a bare Win32 window, the time of one Calculate click
// against setting the four result texts directly, the size of the exe, and
// the memory of the running program.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "calculator.h"
#include "process.h"
#include "process_memory.h"
#include "window_search.h"

#ifndef EMPTY_WINDOW_EXE_PATH
#error "EMPTY_WINDOW_EXE_PATH must name empty_window.exe of this build"
#endif

namespace lobrin::gui {
namespace {

constexpr int kStartRounds = 10;
constexpr int kClickRounds = 1000;

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Seconds from CreateProcess until a visible window captioned `caption`
// exists; negative when it does not come within 20 s. Closes the program.
double TimeToWindow(const std::string& exePath, const std::string& caption) {
  ChildProcess process;
  std::string error;
  const double start = Seconds();
  if (!process.Start(exePath, "", &error)) {
    std::printf("%s\n", error.c_str());
    return -1;
  }
  HWND window = WaitForTopLevelWindow(
      process.Id(),
      [&caption](HWND w) {
        char text[64] = {};
        GetWindowTextA(w, text, sizeof text);
        RECT rect = {};
        GetWindowRect(w, &rect);
        return IsWindowVisible(w) && caption == text && rect.right > rect.left;
      },
      20000);
  const double elapsed = Seconds() - start;
  if (window == nullptr) return -1;
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 0;
  process.WaitForExit(10000, &exitCode);
  return elapsed;
}

void StartUpFigures() {
  std::vector<double> calculator, empty;
  const std::string emptyPath = WindowsPathOf(EMPTY_WINDOW_EXE_PATH);
  for (int round = 0; round < kStartRounds; ++round) {
    calculator.push_back(TimeToWindow(CalculatorExePath(), kCalculatorCaption));
    empty.push_back(TimeToWindow(emptyPath, "Empty window"));
  }
  const double calculatorMedian = Median(calculator);
  const double emptyMedian = Median(empty);
  std::printf("start until visible: lobrin %.1f ms, empty window %.1f ms (medians of %d), "
              "ratio %.2f\n",
              calculatorMedian * 1000, emptyMedian * 1000, kStartRounds,
              calculatorMedian / emptyMedian);
}

void ClickFigures(Calculator& calculator) {
  calculator.Type(Edit::Frequency, "144");
  calculator.Type(Edit::HPlaneBw, "32");
  calculator.Type(Edit::EPlaneBw, "30");
  std::vector<double> clicks, direct;
  for (int round = 0; round < kClickRounds; ++round) {
    const double start = Seconds();
    calculator.Click(Button::Calculate);
    clicks.push_back(Seconds() - start);
  }
  const EditTexts shown = calculator.Texts();
  for (int round = 0; round < kClickRounds; ++round) {
    const double start = Seconds();
    for (Edit edit : {Edit::HMeters, Edit::HFeet, Edit::EMeters, Edit::EFeet}) {
      calculator.SetText(edit, shown[static_cast<int>(edit)]);
    }
    direct.push_back(Seconds() - start);
  }
  const double clickMedian = Median(clicks);
  const double directMedian = Median(direct);
  std::printf("one Calculate click: %.1f us; four WM_SETTEXT of the results: %.1f us "
              "(medians of %d), ratio %.2f\n",
              clickMedian * 1e6, directMedian * 1e6, kClickRounds, clickMedian / directMedian);
}

unsigned long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void MemoryFigures(Calculator& calculator, const char* when) {
  const ProcessMemory memory =
      MeasureProcess(calculator.Process().Handle(), UnixPidOf("lobrin.exe"));
  std::printf("memory %s: private %.1f MB, working set %.1f MB\n", when,
              memory.privateBytes / 1048576.0, memory.workingSet / 1048576.0);
}

void EmptyWindowMemory() {
  ChildProcess process;
  std::string error;
  if (!process.Start(WindowsPathOf(EMPTY_WINDOW_EXE_PATH), "", &error)) return;
  HWND window = WaitForTopLevelWindow(
      process.Id(), [](HWND w) { return IsWindowVisible(w) != 0; }, 20000);
  if (window == nullptr) return;
  SendWithTimeout(window, WM_NULL, 0, 0);
  const ProcessMemory memory = MeasureProcess(process.Handle(), UnixPidOf("empty_window.exe"));
  std::printf("memory of the empty window: private %.1f MB, working set %.1f MB\n",
              memory.privateBytes / 1048576.0, memory.workingSet / 1048576.0);
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 0;
  process.WaitForExit(10000, &exitCode);
}

int Run() {
  std::printf("exe size: lobrin.exe %llu bytes, empty_window.exe %llu bytes\n",
              FileSize(CalculatorExePath()), FileSize(WindowsPathOf(EMPTY_WINDOW_EXE_PATH)));
  StartUpFigures();

  Calculator calculator;
  if (!calculator.WaitForWindow()) {
    std::printf("%s\n", calculator.Error().c_str());
    return 1;
  }
  SendWithTimeout(calculator.MainWindow(), WM_NULL, 0, 0);
  Sleep(500);
  MemoryFigures(calculator, "after start");
  EmptyWindowMemory();
  ClickFigures(calculator);
  MemoryFigures(calculator, "after 1000 clicks");
  DWORD exitCode = 1;
  calculator.Close(&exitCode);
  return 0;
}

}  // namespace
}  // namespace lobrin::gui

int main() {
  const int result = lobrin::gui::Run();
  std::fflush(stdout);
  return result;
}
