// Figures of the calculator against the same window written by hand
// (hand_calculator.exe), measured side by side in one run with the rounds
// interleaved, so that a busy moment of the machine weighs on both alike:
// start until the window is visible and the working set after start (also
// against an empty window), and one Calculate click. Each figure is printed
// as the ratio of the medians, lobrin to hand-written. Not a test: nothing
// fails on the numbers; only results that differ between the two fail the run.
// "--clicks" measures the clicks alone.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "calculator.h"
#include "process.h"
#include "process_memory.h"
#include "window_search.h"

#ifndef EMPTY_WINDOW_EXE_PATH
#error "EMPTY_WINDOW_EXE_PATH must name empty_window.exe of this build"
#endif
#ifndef HAND_CALCULATOR_EXE_PATH
#error "HAND_CALCULATOR_EXE_PATH must name hand_calculator.exe of this build"
#endif
#ifndef HAND_CALCULATOR_CC_EXE_PATH
#error "HAND_CALCULATOR_CC_EXE_PATH must name hand_calculator_cc.exe of this build"
#endif

namespace lobrin::gui {
namespace {

constexpr int kStartRounds = 20;
constexpr int kClickRounds = 1000;
constexpr int kClicksPerBlock = 50;
// The inputs of the clicked calculation: H-plane and E-plane beamwidth, frequency.
constexpr char kHPlaneBw[] = "30";
constexpr char kEPlaneBw[] = "28.5";
constexpr char kFrequency[] = "144";

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
  if (values.empty()) {
    return 0;
  }
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A program measured at start: where it is and how its window is known.
struct Contender {
  const char* name;
  std::string exePath;
  std::function<bool(HWND)> isItsWindow;
  std::vector<double> startSeconds;
  std::vector<double> workingSetBytes;
};

// One start: the time from CreateProcess until the window is visible, then
// the working set once the program has answered a message. Closes the program.
bool MeasureOneStart(Contender& contender) {
  ChildProcess process;
  std::string error;
  const double start = Seconds();
  if (!process.Start(contender.exePath, "", &error)) {
    std::printf("%s: %s\n", contender.name, error.c_str());
    return false;
  }
  HWND window = WaitForTopLevelWindow(process.Id(), contender.isItsWindow, 20000);
  const double elapsed = Seconds() - start;
  if (window == nullptr) {
    std::printf("%s: no window within 20 s\n", contender.name);
    return false;
  }
  SendWithTimeout(window, WM_NULL, 0, 0);
  Sleep(200);  // the first paint is over; the memory it needed is counted
  const ProcessMemory memory = MeasureProcess(process.Handle(), 0);
  contender.startSeconds.push_back(elapsed);
  contender.workingSetBytes.push_back(static_cast<double>(memory.workingSet));
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 0;
  process.WaitForExit(10000, &exitCode);
  return true;
}

bool IsEmptyWindow(HWND window) { return IsWindowVisible(window) && TextOf(window) == "Empty window"; }

void PrintRatio(const char* what, double lobrin, double hand, const char* unit, double scale, int rounds) {
  std::printf("%-34s lobrin %8.1f %s, by hand %8.1f %s (medians of %d), ratio %.2f\n", what, lobrin * scale,
              unit, hand * scale, unit, rounds, lobrin / hand);
}

bool StartUpFigures() {
  Contender lobrin{"lobrin.exe", CalculatorExePath(), IsCalculatorWindow, {}, {}};
  Contender hand{"hand_calculator.exe", WindowsPathOf(HAND_CALCULATOR_EXE_PATH), IsCalculatorWindow, {}, {}};
  Contender handCc{
      "hand_calculator_cc.exe", WindowsPathOf(HAND_CALCULATOR_CC_EXE_PATH), IsCalculatorWindow, {}, {}};
  Contender empty{"empty_window.exe", WindowsPathOf(EMPTY_WINDOW_EXE_PATH), IsEmptyWindow, {}, {}};
  for (int round = 0; round < kStartRounds; ++round) {
    // The order turns every round: no program always follows the same one.
    Contender* order[] = {&lobrin, &hand, &handCc, &empty};
    std::rotate(order, order + round % 4, order + 4);
    for (Contender* contender : order) {
      if (!MeasureOneStart(*contender)) {
        return false;
      }
    }
  }
  const double lobrinStart = Median(lobrin.startSeconds), handStart = Median(hand.startSeconds);
  const double handCcStart = Median(handCc.startSeconds), emptyStart = Median(empty.startSeconds);
  PrintRatio("start until visible:", lobrinStart, handStart, "ms", 1e3, kStartRounds);
  std::printf("%-34s %8.1f ms; lobrin / it %.2f\n", "  by hand with common controls:", handCcStart * 1e3,
              lobrinStart / handCcStart);
  std::printf("%-34s %8.1f ms; lobrin / empty %.2f, by hand / empty %.2f\n",
              "  empty window:", emptyStart * 1e3, lobrinStart / emptyStart, handStart / emptyStart);
  const double lobrinMemory = Median(lobrin.workingSetBytes), handMemory = Median(hand.workingSetBytes);
  const double handCcMemory = Median(handCc.workingSetBytes);
  PrintRatio("working set after start:", lobrinMemory, handMemory, "MB", 1.0 / 1048576, kStartRounds);
  std::printf("%-34s %8.1f MB; lobrin / it %.2f\n", "  by hand with common controls:", handCcMemory / 1048576,
              lobrinMemory / handCcMemory);
  std::printf("%-34s %8.1f MB\n", "  empty window:", Median(empty.workingSetBytes) / 1048576);
  return true;
}

bool Prepare(Calculator& calculator, const char* name) {
  if (!calculator.WaitForWindow()) {
    std::printf("%s: %s\n", name, calculator.Error().c_str());
    return false;
  }
  return calculator.Type(Edit::HPlaneBw, kHPlaneBw) && calculator.Type(Edit::EPlaneBw, kEPlaneBw) &&
         calculator.Type(Edit::Frequency, kFrequency);
}

// Seconds of one BM_CLICK round trip on Calculate.
double TimedClick(Calculator& calculator) {
  const double start = Seconds();
  calculator.Click(Button::Calculate);
  return Seconds() - start;
}

bool ClickFigures() {
  Calculator lobrin;
  Calculator hand(WindowsPathOf(HAND_CALCULATOR_EXE_PATH), "");
  if (!Prepare(lobrin, "lobrin.exe") || !Prepare(hand, "hand_calculator.exe")) {
    return false;
  }
  // Blocks of clicks, taking turns; the clicked window is the active one, as
  // under a user's hand (a button in an inactive window draws less).
  std::vector<double> lobrinClicks, handClicks;
  for (int block = 0; block < kClickRounds / kClicksPerBlock; ++block) {
    for (Calculator* calculator : {&lobrin, &hand}) {
      SetForegroundWindow(calculator->MainWindow());
      SendWithTimeout(calculator->MainWindow(), WM_NULL, 0, 0);
      std::vector<double>& into = calculator == &lobrin ? lobrinClicks : handClicks;
      for (int click = 0; click < kClicksPerBlock; ++click) {
        into.push_back(TimedClick(*calculator));
      }
    }
  }
  PrintRatio("one Calculate click:", Median(lobrinClicks), Median(handClicks), "us", 1e6, kClickRounds);

  const EditTexts lobrinTexts = lobrin.Texts(), handTexts = hand.Texts();
  const bool same = lobrinTexts == handTexts;
  std::printf("%-34s %s (H %s m %s ft, E %s m %s ft)\n", "results of both:", same ? "equal" : "DIFFERENT",
              lobrinTexts[static_cast<int>(Edit::HMeters)].c_str(),
              lobrinTexts[static_cast<int>(Edit::HFeet)].c_str(),
              lobrinTexts[static_cast<int>(Edit::EMeters)].c_str(),
              lobrinTexts[static_cast<int>(Edit::EFeet)].c_str());
  if (!same) {
    std::printf("  by hand: H %s m %s ft, E %s m %s ft\n", handTexts[static_cast<int>(Edit::HMeters)].c_str(),
                handTexts[static_cast<int>(Edit::HFeet)].c_str(),
                handTexts[static_cast<int>(Edit::EMeters)].c_str(),
                handTexts[static_cast<int>(Edit::EFeet)].c_str());
  }
  const ProcessMemory lobrinMemory = MeasureProcess(lobrin.Process().Handle(), 0);
  const ProcessMemory handMemory = MeasureProcess(hand.Process().Handle(), 0);
  std::printf("%-34s lobrin %8.1f MB, by hand %8.1f MB, ratio %.2f\n",
              "working set after the clicks:", static_cast<double>(lobrinMemory.workingSet) / 1048576,
              static_cast<double>(handMemory.workingSet) / 1048576,
              static_cast<double>(lobrinMemory.workingSet) / static_cast<double>(handMemory.workingSet));
  DWORD exitCode = 0;
  lobrin.Close(&exitCode);
  hand.Close(&exitCode);
  return same;
}

// Only clicks, for a profile of one click (scripts/profile): run under
// WINEDEBUG=+relay, the calls between two BM_CLICK messages of the clicked
// program are those of one click. `hand` clicks hand_calculator.exe instead.
int ClicksOnly(int clicks, bool hand) {
  Calculator calculator = hand ? Calculator(WindowsPathOf(HAND_CALCULATOR_EXE_PATH), "") : Calculator();
  if (!Prepare(calculator, hand ? "hand_calculator.exe" : "lobrin.exe")) {
    return 1;
  }
  for (int round = 0; round < clicks; ++round) {
    calculator.Click(Button::Calculate);
  }
  DWORD exitCode = 0;
  return calculator.Close(&exitCode) ? 0 : 1;
}

int Run(int argc, char** argv) {
  if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--unmeasured-clicks") {
    return ClicksOnly(std::atoi(argv[2]), argc == 4 && std::string(argv[3]) == "hand");
  }
  const bool clicksOnly = argc == 2 && std::string(argv[1]) == "--clicks";
  if (!clicksOnly && !StartUpFigures()) {
    return 1;
  }
  return ClickFigures() ? 0 : 1;
}

}  // namespace
}  // namespace lobrin::gui

int main(int argc, char** argv) {
  const int result = lobrin::gui::Run(argc, argv);
  std::fflush(stdout);
  return result;
}
