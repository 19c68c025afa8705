#pragma once
// An application window with one form, the toolkit's process-wide state reset
// around each test, and a recorder for the steps a message takes.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/control.h"

namespace lobrin::testing {

// Removes every message waiting for this thread, a posted quit included.
inline void DrainQueue() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
  }
}

inline void ResetToolkitState() {
  DrainQueue();
  AppWindow = nullptr;
  AppWindowInUse = false;
  LoopRunning = false;
  QuitReceived = false;
  PreDispatchHook = nullptr;
  KeyNavigationHook = nullptr;
  AfterCreateHook = nullptr;
  InvalidationHook = nullptr;
  ResizeAlignmentHook = nullptr;
  IdleHook = nullptr;
  MeasureHook = nullptr;
  PrivateMessageProc = nullptr;
}

// The steps recorded by the probes of a test, in order.
inline std::vector<std::string>& Steps() {
  static std::vector<std::string> steps;
  return steps;
}

// A destroy event that records "<name> destroyed".
inline void RecordDestroyed(void* name, TObj*) {
  Steps().push_back(std::string(static_cast<const char*>(name)) + " destroyed");
}

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitState();
    Steps().clear();
    app_ = MakeAppWindow("");
    form_ = MakeForm(app_, "Test form");
    SetControlPosition(form_, 40, 40);
    SetControlSize(form_, 360, 240);
    SetControlVisible(form_, false);
  }

  void TearDown() override {
    if (app_ != nullptr) app_->Free();
    app_ = nullptr;
    ResetToolkitState();
  }

  // Shows the form and gives it the keyboard focus, as a user's click would.
  void ShowAndFocusForm() {
    SetControlVisible(form_, true);
    HWND hwnd = HandleOf(form_);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    DrainQueue();
  }

  TControl* app_ = nullptr;
  TControl* form_ = nullptr;
};

}  // namespace lobrin::testing
