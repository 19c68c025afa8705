#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "driver/process.h"
#include "driver/window_search.h"

namespace lobrin {
namespace {

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
