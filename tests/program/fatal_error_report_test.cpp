#include "app/fatal_error_report.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

#include "driver/process.h"
#include "driver/window_search.h"

namespace lobrin {
namespace {

// The text names the error number and the faulting address.
TEST(FatalErrorReport, SystemExceptionsMapToRuntimeErrorNumbersAndTexts) {
  const void* address = reinterpret_cast<const void*>(std::uintptr_t{0x4015A3});
  EXPECT_EQ(RuntimeErrorText(216, address), "Runtime error 216 at $00000000004015A3");
  EXPECT_EQ(RuntimeErrorText(200, nullptr), "Runtime error 200 at $0000000000000000");
  struct Case {
    DWORD exception;
    int error;
  };
  const Case cases[] = {
      {EXCEPTION_ACCESS_VIOLATION, 216},
      {EXCEPTION_INT_DIVIDE_BY_ZERO, 200},
      {EXCEPTION_STACK_OVERFLOW, 202},
      {EXCEPTION_FLT_INVALID_OPERATION, 207},
      {EXCEPTION_FLT_OVERFLOW, 205},
      {EXCEPTION_PRIV_INSTRUCTION, 218},
      {0xE0000001, 217},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RuntimeErrorNumber(c.exception), c.error) << std::hex << c.exception;
  }
}

// A program that faults with nothing to handle it but the report (probe/fault_probe.cpp).
TEST(FatalErrorReport, AnAccessFaultShowsTheReportAndEndsWithItsNumber) {
  gui::ChildProcess probe;
  std::string error;
  ASSERT_TRUE(probe.Start(gui::WindowsPathOf(FAULT_PROBE_EXE_PATH), "", &error)) << error;
  const gui::MessageBoxView box = gui::WaitForMessageBox(probe.Id(), 15000);
  ASSERT_NE(box.window, nullptr) << "no message box";
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.text.rfind("Runtime error 216 at $", 0), 0u) << box.text;
  EXPECT_EQ(box.text.size(), std::string("Runtime error 216 at $").size() + 16) << box.text;
  ASSERT_TRUE(gui::PressButton(box.window, IDOK, 15000));
  DWORD exitCode = 0;
  ASSERT_TRUE(probe.WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 216u);
}

}  // namespace
}  // namespace lobrin
