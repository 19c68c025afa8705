#include "calculator.h"

#include "window_search.h"

#ifndef LOBRIN_EXE_PATH
#error "LOBRIN_EXE_PATH must name lobrin.exe of this build"
#endif

namespace lobrin::gui {

std::string CalculatorExePath() { return WindowsPathOf(LOBRIN_EXE_PATH); }

bool IsCalculatorWindow(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return IsWindowVisible(window) && rect.right > rect.left && rect.bottom > rect.top &&
         GetWindow(window, GW_CHILD) != nullptr && TextOf(window) == kCalculatorCaption;
}

Calculator::Calculator(const std::string& arguments) : Calculator(CalculatorExePath(), arguments) {}

Calculator::Calculator(const std::string& exePath, const std::string& arguments) {
  process_.Start(exePath, arguments, &error_);
}

bool Calculator::WaitForWindow(DWORD timeoutMs) {
  if (!error_.empty()) {
    return false;
  }
  main_ = WaitForTopLevelWindow(process_.Id(), IsCalculatorWindow, timeoutMs);
  if (main_ == nullptr) {
    error_ = "no visible window \"" + std::string(kCalculatorCaption) + "\" appeared";
    return false;
  }
  for (int i = 0; i < kEditCount; ++i) {
    edits_[i] = ControlAt(main_, kEdits[i].left, kEdits[i].top, "EDIT");
    if (edits_[i] == nullptr) {
      error_ += std::string("no ") + kEdits[i].name + " box; ";
    }
  }
  for (int i = 0; i < kButtonCount; ++i) {
    buttons_[i] = ControlAt(main_, kButtons[i].left, kButtons[i].top, "BUTTON");
    if (buttons_[i] == nullptr) {
      error_ += std::string("no ") + kButtons[i].name + " button; ";
    }
  }
  return error_.empty();
}

bool Calculator::TypeAtCaret(HWND edit, const std::string& text) {
  for (char c : text) {
    const char keystroke[2] = {c, '\0'};
    if (!SendWithTimeout(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(keystroke))) {
      return false;
    }
  }
  return true;
}

bool Calculator::Type(Edit edit, const std::string& text) {
  HWND window = EditWindow(edit);
  LRESULT length = 0;
  if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length)) {
    return false;
  }
  if (!SendWithTimeout(window, EM_SETSEL, static_cast<WPARAM>(length), length)) {
    return false;
  }
  return TypeAtCaret(window, text);
}

bool Calculator::Retype(Edit edit, const std::string& text) {
  HWND window = EditWindow(edit);
  if (!SendWithTimeout(window, EM_SETSEL, 0, -1)) {
    return false;
  }
  if (text.empty()) {
    return SendWithTimeout(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
  }
  return TypeAtCaret(window, text);
}

bool Calculator::SetText(Edit edit, const std::string& text) {
  return SendWithTimeout(EditWindow(edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Calculator::Click(Button button) { return SendWithTimeout(ButtonWindow(button), BM_CLICK, 0, 0); }

bool Calculator::ClickLater(Button button) { return PostMessageA(ButtonWindow(button), BM_CLICK, 0, 0) != 0; }

std::string Calculator::Text(Edit edit) const { return TextOf(EditWindow(edit)); }

EditTexts Calculator::Texts() const {
  EditTexts texts;
  for (int i = 0; i < kEditCount; ++i) {
    texts[i] = TextOf(edits_[i]);
  }
  return texts;
}

bool Calculator::Responsive() const { return SendWithTimeout(main_, WM_NULL, 0, 0); }

bool Calculator::Close(DWORD* exitCode, DWORD timeoutMs) {
  if (main_ == nullptr || !PostMessageA(main_, WM_CLOSE, 0, 0)) {
    return false;
  }
  return process_.WaitForExit(timeoutMs, exitCode);
}

}  // namespace lobrin::gui
