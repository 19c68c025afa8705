#pragma once
// A freshly started calculator for each test. At the end the window is closed
// as the user closes it; under Wine, without a window manager, the window
// takes seconds to go away, so the exit is awaited in the background while
// the next tests run, and every calculator must have ended with exit code 0
// by the end of the run.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calculator.h"

namespace lobrin::gui {

class CalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calculator_ = std::make_unique<Calculator>();
    ASSERT_TRUE(calculator_->WaitForWindow()) << calculator_->Error();
  }

  // Asks the window to close and leaves the exit to the end-of-run check.
  void TearDown() override;

  Calculator& calc() { return *calculator_; }

  std::unique_ptr<Calculator> calculator_;
};

}  // namespace lobrin::gui
