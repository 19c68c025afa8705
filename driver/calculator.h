#pragma once
// The calculator as its user sees it: started as a program, its window found
// by its caption, its boxes and buttons found by where they sit, typed into
// one character at a time, clicked, read, and closed.

#include <windows.h>

#include <array>
#include <string>

#include "process.h"

namespace lobrin::gui {

// The caption of the calculator's window.
inline constexpr char kCalculatorCaption[] = "Lobrin v1.05";

// The seven boxes, in the order of kEdits below.
enum class Edit { HPlaneBw, EPlaneBw, Frequency, HMeters, HFeet, EMeters, EFeet };
enum class Button { Calculate, Clear, Info };

inline constexpr int kEditCount = 7;
inline constexpr int kButtonCount = 3;

// Where a control sits: its top-left corner in the main window's client area.
struct ControlPlace {
  const char* name;
  int left;
  int top;
};

inline constexpr std::array<ControlPlace, kEditCount> kEdits = {{
    {"H-plane beamwidth", 100, 60},
    {"E-plane beamwidth", 100, 85},
    {"frequency", 100, 110},
    {"H-plane metres", 255, 170},
    {"H-plane feet", 255, 190},
    {"E-plane metres", 450, 330},
    {"E-plane feet", 450, 350},
}};

inline constexpr std::array<ControlPlace, kButtonCount> kButtons = {{
    {"Calculate", 180, 60},
    {"Clear", 180, 110},
    {"Info", 590, 0},
}};

// The Windows file name of lobrin.exe in this build.
std::string CalculatorExePath();

// The texts of the seven boxes, in Edit order.
using EditTexts = std::array<std::string, kEditCount>;

// True for the calculator's main window (not the hidden application window).
bool IsCalculatorWindow(HWND window);

class Calculator {
 public:
  // Starts lobrin.exe with `arguments`; Started() tells whether it went well.
  explicit Calculator(const std::string& arguments = "");
  // Starts another program that shows the same window (a Windows file name).
  Calculator(const std::string& exePath, const std::string& arguments);

  // Waits for the main window and finds the controls; false (with Error()) on failure.
  bool WaitForWindow(DWORD timeoutMs = 20000);

  const std::string& Error() const { return error_; }
  ChildProcess& Process() { return process_; }
  HWND MainWindow() const { return main_; }
  HWND EditWindow(Edit edit) const { return edits_[static_cast<int>(edit)]; }
  HWND ButtonWindow(Button button) const { return buttons_[static_cast<int>(button)]; }

  // Types `text` at the end of the box, one EM_REPLACESEL per character.
  bool Type(Edit edit, const std::string& text);

  // Selects the whole text of the box and types `text` over it; an empty
  // `text` deletes the selection, as the Delete key does.
  bool Retype(Edit edit, const std::string& text);

  // Replaces the text of a box with one WM_SETTEXT, as a paste would.
  bool SetText(Edit edit, const std::string& text);

  // Clicks a button and waits until its handling is done. Not for Info,
  // whose handling waits for the user: see ClickLater.
  bool Click(Button button);

  // Clicks a button without waiting for its handling.
  bool ClickLater(Button button);

  // The text of a box.
  std::string Text(Edit edit) const;

  // All seven texts.
  EditTexts Texts() const;

  // True when the program answers a message within the timeout.
  bool Responsive() const;

  // Closes the window as the user does and waits for the program to end;
  // false when it does not end in time.
  bool Close(DWORD* exitCode, DWORD timeoutMs = 10000);

 private:
  bool TypeAtCaret(HWND edit, const std::string& text);

  ChildProcess process_;
  std::string error_;
  HWND main_ = nullptr;
  std::array<HWND, kEditCount> edits_ = {};
  std::array<HWND, kButtonCount> buttons_ = {};
};

}  // namespace lobrin::gui
