#pragma once
// A hidden form to put windowed elements on, and the toolkit state reset
// around each test, so that every test starts without an application window.

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "elements/win/win.h"
#include "toolkit/control.h"

namespace lobrin::testing {

// Removes every message waiting for this thread, a posted quit included.
inline void DrainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
  }
}

// Puts the toolkit's process-wide state back to "nothing made yet".
inline void ResetToolkitState() {
  DrainMessages();
  AppWindow = nullptr;
  AppWindowInUse = false;
  LoopRunning = false;
  QuitReceived = false;
  DisableLinks();
}

// Elements made by the tests: a label (control from Create) and an edit box
// (control from Init), the two ways a subclass makes its control.
class TestLabel : public THIWin {
 public:
  void Create(TControl* parent) override {
    THIWin::Create(parent);
    control = MakeLabel(parentControl, "label");
  }
};

class TestEdit : public THIWin {
 public:
  void Init() override {
    control = MakeEdit(parentControl, 0);
    THIWin::Init();
  }
};

// A hidden application window with a hidden form; freed after the test.
class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitState();
    app_ = MakeAppWindow("");
    form_ = MakeForm(app_, "Test form");
    SetControlVisible(form_, false);
    SetControlSize(form_, 300, 200);
    ASSERT_NE(HandleOf(form_), nullptr);
  }
  void TearDown() override {
    FreeAndNull(app_);  // frees the form and every control on it
    ResetToolkitState();
  }

  // Creates an element on the form with the settings `configure` writes, then Init.
  template <class Element, class Configure>
  std::unique_ptr<Element> Make(Configure configure) {
    auto element = std::make_unique<Element>();
    element->Create(form_);
    element->left = 10;
    element->top = 10;
    element->width = 60;
    element->height = 20;
    element->font = TFontRec{"MS Sans Serif", 8, 0, 0, 1};
    configure(*element);
    element->Init();
    return element;
  }

  TControl* app_ = nullptr;
  TControl* form_ = nullptr;
};

}  // namespace lobrin::testing
