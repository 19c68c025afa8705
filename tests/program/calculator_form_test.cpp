#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/calculator_form.h"
#include "app/program_modules.h"
#include "elements/data.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Type(THIEdit* edit, const std::string& text) {
  for (char c : text) {
    const char one[2] = {c, '\0'};
    SendMessageA(edit->control->handle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(one));
  }
}

class CalculatorFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeProgramModules(); }
  static void TearDownTestSuite() { FinalizeProgramModules(); }
  void TearDown() override { DisableLinks(); }
};

TEST_F(CalculatorFormTest, BuildsTheWholeGraphWithLinkTrafficOffThenCalculates) {
  DisableLinks();
  auto* form = new TClassMainForm_2157830();
  EXPECT_EQ(TClassMainForm_2157830::ElementCount(), 53);
  EXPECT_EQ(TClassMainForm_2157830::LinkCount(), 36);

  HWND main = form->MainForm->control->handle;
  ASSERT_TRUE(IsWindow(main));
  EXPECT_FALSE(IsWindowVisible(main)) << "nothing shows before the start-up step";
  EXPECT_EQ(WindowText(main), "Lobrin v1.05");

  // While traffic is off, a typed frequency reaches no wavelength element.
  Type(form->FrequencyEdit, "150");
  EXPECT_EQ(form->HWavelengthMath->result, 0.0);
  SendMessageA(form->FrequencyEdit->control->handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));

  EnableLinks();
  RunStartupCallbacks();
  EXPECT_TRUE(IsWindowVisible(main));

  Type(form->FrequencyEdit, "144");
  Type(form->HPlaneBwEdit, "32");
  Type(form->EPlaneBwEdit, "30");
  SendMessageA(form->CalculateButton->control->handle, BM_CLICK, 0, 0);
  const auto texts = [&] {
    std::vector<std::string> shown;
    for (THIEdit* edit : {form->HPlaneBwEdit, form->EPlaneBwEdit, form->FrequencyEdit, form->HMetersEdit,
                          form->HFeetEdit, form->EMetersEdit, form->EFeetEdit})
      shown.push_back(WindowText(edit->control->handle));
    return shown;
  };
  EXPECT_EQ(texts(), (std::vector<std::string>{"32", "30", "144", "3.77912008181594", "12.398688329225",
                                               "4.02469094287112", "13.2043670330093"}));
  SendMessageA(form->ClearButton->control->handle, BM_CLICK, 0, 0);
  EXPECT_EQ(texts(), std::vector<std::string>(7, ""));

  std::vector<HWND> windows;
  EnumChildWindows(main, [](HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows.size(), 33u) << "3 buttons, 7 edits, 21 labels and 2 pictures";

  DisableLinks();
  delete form;
  EXPECT_FALSE(IsWindow(main));
  for (HWND child : windows) EXPECT_FALSE(IsWindow(child));
}

}  // namespace
}  // namespace lobrin
